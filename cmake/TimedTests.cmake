# A test that runs processes of its own ends itself, and all of them, once its seconds have passed
# (MAZEWICK_TEST_SECONDS); CTest's limit, a little later, is only the backstop of a test that
# could not, as CTest's kill leaves a test's daemons running.
function(mazewick_test_seconds name seconds)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT MAZEWICK_TEST_SECONDS=${seconds})
  math(EXPR backstop "${seconds} + 30")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${backstop})
endfunction()
