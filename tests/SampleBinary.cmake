# The binary sample catalogue is the binary form of the text one: ini2inb writes it, and a test keeps the two in step.
add_executable(ini2inb tool/ini2inb.cpp)
target_link_libraries(ini2inb PRIVATE brevant_test_support)
# A cross build runs it under its emulator (Wine), or not at all.
string(JOIN " " run ${CMAKE_CROSSCOMPILING_EMULATOR})
if(NOT CMAKE_CROSSCOMPILING OR run)
  add_test(NAME sample.binary_form_matches_text_form
           COMMAND sh -c "${run} $<TARGET_FILE:ini2inb> ${PROJECT_SOURCE_DIR}/examples/hoops.ini hoops-check.inb 2>/dev/null && cmp hoops-check.inb ${PROJECT_SOURCE_DIR}/examples/hoops.inb"
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
