# Hundreds of jobs with random faults through the window and quillon-phone
# (a few minutes; label "soak").
set(soak_definitions)
if(QUILLON_SANITIZE)
  set(soak_definitions QUILLON_SANITIZE) # no memory bound
endif()
quillon_add_test(test_soak
  SOURCES test_soak.cpp
  LIBS quillon_app
  TIMEOUT 900
  DEFINITIONS ${soak_definitions}
  LABELS soak)
