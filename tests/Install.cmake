# The installed package works for a host: headers, CMake package, pkg-config file and the shared library.
if(NOT BREVANT_SANITIZE AND NOT WIN32) # Windows: Windows.cmake and Package.cmake
  add_test(NAME install.host_builds_against_installed_package
           COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBUILD=${PROJECT_BINARY_DIR}
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/install-check -DCXX=${CMAKE_CXX_COMPILER} -DCC=${CMAKE_C_COMPILER}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/install/check_install.cmake)
  # Exactly the classic classes, the diagnostics sink and the C interface leave the shared library.
  add_test(NAME install.exports_are_exactly_the_public_interface
           COMMAND sh -c "nm -D --defined-only -C \"$0\" | cut -d' ' -f3- | LC_ALL=C sort | diff -u \"$1\" -"
                   $<TARGET_FILE:brevant> ${CMAKE_CURRENT_SOURCE_DIR}/install/exports.txt)
endif()
# Loading the library runs no code of its own: its objects hold no static constructors. (A DLL also carries
# the C++ runtime linked into it, with constructors of its own.)
add_test(NAME install.no_code_runs_when_loaded
         COMMAND sh -c "${CMAKE_NM} $<JOIN:$<TARGET_OBJECTS:brevant_objects>, > | grep -q _GLOBAL__sub_I && exit 1 || exit 0")
