set(LULLEX_CONFIG_TESTS
  config_check_test.cpp
  config_reader_test.cpp
  config_writer_test.cpp
  ip_address_test.cpp
  number_reader_test.cpp
  settings_store_test.cpp
)
