quillon_add_test(test_engine
  SOURCES test_engine.cpp
  LIBS quillon_link quillon_cli_core)

# The window against quillon-phone on a pseudo-terminal.
quillon_add_test(test_engine_e2e
  SOURCES test_engine_e2e.cpp
  LIBS quillon_app
  TIMEOUT 90)

# The event-loop driving of the engine, shared by the window and quillon-cli.
quillon_add_test(test_engine_driver
  SOURCES test_engine_driver.cpp
  LIBS quillon_link)

# What the window says of a write, its read-back and a comparison.
quillon_add_test(test_job_report
  SOURCES test_job_report.cpp
  LIBS quillon_link)
