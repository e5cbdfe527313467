# The installed package works for a host: headers, CMake package, pkg-config file and the shared library.
if(NOT BREVANT_SANITIZE)
  add_test(NAME install.host_builds_against_installed_package
           COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBUILD=${PROJECT_BINARY_DIR}
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/install-check -DCXX=${CMAKE_CXX_COMPILER}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/install/check_install.cmake)
  # Only CINIHoop, CINIValue, the C functions named brevant_* and the namespace brevant leave the shared library.
  add_test(NAME install.only_exported_classes_are_visible
           COMMAND sh -c "nm -D --defined-only $<TARGET_FILE:brevant> | c++filt | sed 's/@@.*//' | grep -v -E ' (CINIHoop|CINIValue)::| A BREVANT_1.0$| T brevant_[a-z0-9_]+$| (typeinfo for |typeinfo name for |vtable for )?brevant::' | grep . && exit 1 || exit 0")
  # The C functions a host calls are among them.
  add_test(NAME install.c_functions_are_exported
           COMMAND sh -c "nm -D --defined-only $<TARGET_FILE:brevant> | grep -c -E ' T brevant_(set|get)_diagnostic_sink@@BREVANT_1.0$' | grep -x 2")
endif()
# Loading the library runs no code of its own: no static constructors.
add_test(NAME install.no_code_runs_when_loaded
         COMMAND sh -c "nm $<TARGET_FILE:brevant> | grep -q _GLOBAL__sub_I && exit 1 || exit 0")
