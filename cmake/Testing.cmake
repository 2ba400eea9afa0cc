find_package(GTest REQUIRED)
include(GoogleTest)

# A GoogleTest executable over the game and the headless console host.
function(mazewick_add_tests name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE test_support mazewick_game headless console_host
                                        GTest::gtest_main)
  mazewick_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
