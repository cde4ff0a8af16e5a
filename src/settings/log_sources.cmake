set(LULLEX_LOG_SOURCES
  event_log.cpp
  log_file.cpp
  log_messages.cpp
  log_paths.cpp
  status_line.cpp
)
