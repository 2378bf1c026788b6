# The file-version tests: libraries with and without version data, one of them with a
enable_language(RC)
# version block so large that its size, taken as 16 bits, wraps into a small number;
# and qvconfirm, which puts the file-version window on screen.
function(qv_version_library name)
  add_library(${name} SHARED version_resource_dll.cpp ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_options(${name} PRIVATE -static)
endfunction()

qv_version_library(qvver_full version_full.rc)
qv_version_library(qvver_description version_description.rc)
qv_version_library(qvver_no_translation version_no_translation.rc)
qv_version_library(qvver_none)

string(REPEAT "x" 1000 long_text)
set(long_values "")
foreach(i RANGE 1 19)
  string(APPEND long_values "      VALUE \"Comments${i}\", \"${long_text}\"\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/version_large.rc
     "#include <winver.h>\n1 VERSIONINFO\nFILEVERSION 9,0,0,0\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n"
     "    BLOCK \"040904B0\"\n    BEGIN\n      VALUE \"FileVersion\", \"9.0\"\n${long_values}    END\n  END\n"
     "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", 0x0409, 1200\n  END\nEND\n")
qv_version_library(qvver_large ${CMAKE_CURRENT_BINARY_DIR}/version_large.rc)

add_executable(qvconfirm confirm_replace.cpp)
target_link_libraries(qvconfirm PRIVATE qvcore)
target_link_options(qvconfirm PRIVATE -static)
