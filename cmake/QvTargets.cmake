# Shared target settings.

# Code that goes into the stub is built without exceptions and RTTI: the stub stays
# small only when libstdc++'s unwinder and demangler are never pulled in.
# _GLIBCXX_ASSERTIONS makes std::string compile into the program and checks indexing.
function(qv_lean target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
  target_compile_definitions(${target} PRIVATE _GLIBCXX_ASSERTIONS)
  if(WIN32)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
  endif()
  # 32-bit unwind tables serve no purpose without exceptions, and on PE they keep
  # every function they describe alive through --gc-sections.
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
  endif()
endfunction()
