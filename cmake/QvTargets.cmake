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

# A shipped Windows program (the stub, the uninstaller): the lean core, no C runtime
# start-up (src/start/startup.c says why), the stand-ins for the library's throws, a
# link map beside it (the programs' check reads it) and no time stamp in its header.
function(qv_shipped_program target)
  set(start ${PROJECT_SOURCE_DIR}/src/start)
  target_sources(${target} PRIVATE ${start}/lean_runtime.cpp)
  # The resource scripts take the manifest in; the build cannot see that by itself.
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS ${start}/program.manifest)
    endif()
  endforeach()
  target_link_libraries(${target} PRIVATE qvcore)
  qv_lean(${target})
  target_compile_options(${target} PRIVATE -Os)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -s
                      -Wl,--gc-sections -Wl,--no-insert-timestamp
                      -Wl,-Map,${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  if(QV_SHIPPING_ONLY)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endif()
  # The own start-up object, named as the C runtime's so that the link takes it from
  # here (-B) instead of the runtime's. The compiler's frame objects around the program
  # (crtbegin.o, crtend.o) are found here first too, empty: they register unwind tables
  # for exceptions, which the programs have none of, by loading the compiler's DLL at
  # start. The map lets the check see that the link made no pseudo-relocations, which
  # that start does not apply.
  set(startfiles ${CMAKE_CURRENT_BINARY_DIR}/${target}-startfiles)
  add_custom_command(OUTPUT ${startfiles}/crt2.o ${startfiles}/crtbegin.o ${startfiles}/crtend.o
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${startfiles}
                     COMMAND ${CMAKE_C_COMPILER} -Os -fno-asynchronous-unwind-tables -c ${start}/startup.c
                             -o ${startfiles}/crt2.o
                     COMMAND ${CMAKE_C_COMPILER} -c -x c /dev/null -o ${startfiles}/crtbegin.o
                     COMMAND ${CMAKE_C_COMPILER} -c -x c /dev/null -o ${startfiles}/crtend.o
                     DEPENDS ${start}/startup.c VERBATIM)
  add_custom_target(${target}-startfiles DEPENDS ${startfiles}/crt2.o ${startfiles}/crtbegin.o
                                                 ${startfiles}/crtend.o)
  add_dependencies(${target} ${target}-startfiles)
  target_link_options(${target} PRIVATE -B${startfiles}/)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${startfiles}/crt2.o)
endfunction()
