# The C interface from C: the header compiles as strict C99, and a C11 program exercises every function
# through the shared library, as a host that links libbrevant.so.1 (or brevant.dll) does.
add_test(NAME c_api.header_compiles_as_c99
         COMMAND ${CMAKE_C_COMPILER} -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only
                 -I${PROJECT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/c_api/header_c99.c)

add_executable(c_api_test c_api/c_api_test.c)
set_target_properties(c_api_test PROPERTIES C_STANDARD 11 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
target_compile_options(c_api_test PRIVATE -pedantic -Werror)
target_link_libraries(c_api_test PRIVATE brevant)
set(C_API_WORK ${CMAKE_CURRENT_BINARY_DIR}/c-api-work)
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator) # a Windows build runs it under Wine
add_test(NAME c_api.every_function
         COMMAND sh -c "rm -rf '${C_API_WORK}' && mkdir -p '${C_API_WORK}' && exec ${emulator} \"$0\" \"$@\""
                 $<TARGET_FILE:c_api_test> ${PROJECT_SOURCE_DIR} ${C_API_WORK})

# The README's C example runs on the sample catalogue, and the README shows it line for line.
add_test(NAME c_api.readme_example COMMAND list_hoops ${PROJECT_SOURCE_DIR}/examples/hoops.ini)
set_tests_properties(c_api.readme_example PROPERTIES
                     PASS_REGULAR_EXPRESSION " 1  Round 100 mm +68\\.0 x  68\\.0 mm\n.*12  Border 330x100")
add_test(NAME c_api.readme_shows_the_example
         COMMAND ${CMAKE_COMMAND} -DEXAMPLE=${PROJECT_SOURCE_DIR}/examples/list_hoops.c
                 -DREADME=${PROJECT_SOURCE_DIR}/README.md -P ${CMAKE_CURRENT_SOURCE_DIR}/support/readme_shows.cmake)
