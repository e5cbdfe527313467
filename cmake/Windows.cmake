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
