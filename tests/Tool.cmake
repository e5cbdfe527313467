# Tests of the brevant command-line tool: unit tests of its pieces, and end-to-end runs of the built tool on
# the sample catalogue and on broken files.
if(TARGET brevant_tool)
  file(GLOB TOOL_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tool/*.cpp)
  list(FILTER TOOL_UNIT_TEST_SOURCES EXCLUDE REGEX "/ini2inb\\.cpp$") # SampleBinary.cmake builds it on its own
  add_executable(brevant_tool_tests ${TOOL_UNIT_TEST_SOURCES})
  target_link_libraries(brevant_tool_tests PRIVATE brevant_tool_objects GTest::gtest_main)
  target_compile_definitions(brevant_tool_tests PRIVATE BREVANT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(brevant_tool_tests TEST_PREFIX "tool." DISCOVERY_TIMEOUT 60)

  set(TOOL_TEST_CASES list check convert import_errors render fit rotate template edit merge completion)
  # Keeping a person's data: what a write would lose, where the bytes go, standard input and output.
  set(SAFETY_TEST_CASES losses check_explains json unended_and_binary targets stdout_errors pipes)
  set(TOOL_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/tool/lsan.supp")
  if(TARGET brevant_man)
    list(APPEND TOOL_TEST_ENVIRONMENT "MAN=${PROJECT_BINARY_DIR}/tools/brevant.1")
  endif()
  if(TARGET ini2inb)
    list(APPEND TOOL_TEST_ENVIRONMENT "INI2INB=$<TARGET_FILE:ini2inb>")
  endif()
  foreach(script tool safety)
    string(TOUPPER ${script} prefix)
    foreach(case ${${prefix}_TEST_CASES})
      add_test(NAME tool.${case}
               COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tool/${script}_test.sh ${case} $<TARGET_FILE:brevant_tool>
                       ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/tool-work/${case})
      set_tests_properties(tool.${case} PROPERTIES ENVIRONMENT "${TOOL_TEST_ENVIRONMENT}")
    endforeach()
  endforeach()
endif()
