# Real adapters: finding the port (a fake sysfs tree), the line probe against
# quillon-phone, and the window's port list marks.
quillon_add_test(test_adapters
  SOURCES test_adapters.cpp
  LIBS quillon_cli_core quillon_app
  CLI)
