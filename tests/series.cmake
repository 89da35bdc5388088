# The series of telephones: unit images, the log, and the cycle against a
# fake programmer on a simulated clock.
quillon_add_test(test_series
  SOURCES test_series.cpp
  LIBS quillon_link quillon_cli_core)
# A series of emulated units through quillon-cli and through the window
# (quillon-phone's bench needs pseudo-terminals).
if(NOT WIN32)
  quillon_add_test(test_series_bench
    SOURCES test_series_bench.cpp
    LIBS quillon_app
    TIMEOUT 600)
  add_dependencies(test_series_bench quillon-cli)
  set_property(TEST test_series_bench APPEND PROPERTY ENVIRONMENT "QUILLON_CLI=$<TARGET_FILE:quillon-cli>")
endif()
# A series on several ports at once: one quillon-phone per lane, through quillon-cli.
if(NOT WIN32)
  quillon_add_test(test_series_lanes
    SOURCES test_series_lanes.cpp
    LIBS quillon_app
    TIMEOUT 900)
  add_dependencies(test_series_lanes quillon-cli quillon-phone)
  # The guide's picture of four lanes goes into this build folder.
  target_compile_definitions(test_series_lanes PRIVATE QUILLON_PICTURE_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  set_property(TEST test_series_lanes APPEND PROPERTY ENVIRONMENT "QUILLON_CLI=$<TARGET_FILE:quillon-cli>")
endif()
