set(LULLEX_LOG_TESTS
  event_log_test.cpp
  event_log_failure_test.cpp
  log_paths_test.cpp
  status_line_test.cpp
)
