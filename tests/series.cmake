# The series of telephones: unit images, the log, and the cycle against a
# fake programmer on a simulated clock.
quillon_add_test(test_series
  SOURCES test_series.cpp
  LIBS quillon_link)
