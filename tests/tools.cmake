# tools/run.sh without a desktop says so at once instead of building first.
quillon_test_runs_here(run_sh_needs_display here)
if(here)
  add_test(NAME run_sh_needs_display
    COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM bash ${PROJECT_SOURCE_DIR}/tools/run.sh)
  set_tests_properties(run_sh_needs_display PROPERTIES TIMEOUT 20
    PASS_REGULAR_EXPRESSION "needs a desktop session.*tools/test.sh builds and tests without one")
endif()
