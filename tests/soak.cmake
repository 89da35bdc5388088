# Hundreds of jobs with random faults through the window and quillon-phone
# (a few minutes; label "soak").
quillon_add_test(test_soak
  SOURCES test_soak.cpp
  LIBS quillon_app
  TIMEOUT 900)
set_tests_properties(test_soak PROPERTIES LABELS soak)
if(QUILLON_SANITIZE)
  target_compile_definitions(test_soak PRIVATE QUILLON_SANITIZE) # no memory bound
endif()
