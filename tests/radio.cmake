quillon_add_test(test_radio
  SOURCES test_radio.cpp
  LIBS quillon_radio)
