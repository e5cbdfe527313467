# The binary sample catalogue is the binary form of the text one: ini2inb writes it, and a test keeps the two in step.
add_executable(ini2inb tool/ini2inb.cpp)
target_link_libraries(ini2inb PRIVATE brevant_test_support)
add_test(NAME sample.binary_form_matches_text_form
         COMMAND sh -c "$<TARGET_FILE:ini2inb> ${PROJECT_SOURCE_DIR}/examples/hoops.ini hoops-check.inb 2>/dev/null && cmp hoops-check.inb ${PROJECT_SOURCE_DIR}/examples/hoops.inb"
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
