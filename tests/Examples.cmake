# The README's examples run on the sample catalogue and print its hoops; the modern one reports a faulty line
# with its number and refuses a file that is not a catalogue.
set(EXAMPLE_OUT ${CMAKE_CURRENT_BINARY_DIR}/examples-out)
file(MAKE_DIRECTORY ${EXAMPLE_OUT})
add_test(NAME examples.classic
         COMMAND example_classic ${PROJECT_SOURCE_DIR}/examples/hoops.ini ${EXAMPLE_OUT}/classic.ini)
set_tests_properties(examples.classic PROPERTIES PASS_REGULAR_EXPRESSION "Small 50x50: 500 x 500\n")
add_test(NAME examples.modern
         COMMAND example_modern ${PROJECT_SOURCE_DIR}/examples/hoops.ini ${EXAMPLE_OUT}/modern.ini)
set_tests_properties(examples.modern PROPERTIES PASS_REGULAR_EXPRESSION "Small 50x50: 500 x 500\n")
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator) # a Windows build runs it under Wine
add_test(NAME examples.modern_reports_faulty_lines
         COMMAND sh -c "printf '[hoops]\\nbad\\n' > '${EXAMPLE_OUT}/faulty.ini' && ${emulator} $<TARGET_FILE:example_modern> '${EXAMPLE_OUT}/faulty.ini' '${EXAMPLE_OUT}/fixed.ini' 2>&1 && grep -c checked '${EXAMPLE_OUT}/fixed.ini' | grep -qx 0")
set_tests_properties(examples.modern_reports_faulty_lines PROPERTIES PASS_REGULAR_EXPRESSION "faulty.ini:2: Error : Line <0002> - ")
add_test(NAME examples.modern_refuses_other_files COMMAND example_modern ${PROJECT_SOURCE_DIR}/README.md ${EXAMPLE_OUT}/x.ini)
set_tests_properties(examples.modern_refuses_other_files PROPERTIES WILL_FAIL TRUE)
