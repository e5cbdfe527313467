# Windows builds (MinGW-w64): the DLL and every program land in one bin directory, as Windows finds a program's
# DLLs beside it, and the compiler's own runtime (libgcc, libstdc++, winpthread) is linked into each of them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_link_options(-static -static-libgcc -static-libstdc++)

# brevant.dll with its import library libbrevant.dll.a and a module-definition file brevant.def, from which
# other compilers' tools make their own import library (MSVC: lib /def:brevant.def /out:brevant.lib).
function(brevant_windows_dll target)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a")
  target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,--output-def,${PROJECT_BINARY_DIR}/bin/brevant.def)
endfunction()

# The zip of the install tree, brevant-<version>-windows-<processor>.zip: `cmake --build <dir> --target windows_zip`.
function(brevant_windows_package)
  install(FILES ${PROJECT_BINARY_DIR}/bin/brevant.def DESTINATION ${CMAKE_INSTALL_LIBDIR})
  set(zip ${PROJECT_BINARY_DIR}/brevant-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}.zip)
  add_custom_target(windows_zip COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DZIP=${zip}
                                        -P ${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake
                    COMMENT "Packing ${zip}" VERBATIM)
  add_dependencies(windows_zip brevant)
  if(TARGET brevant_tool)
    add_dependencies(windows_zip brevant_tool)
  endif()
endfunction()
