quillon_add_test(test_radio
  SOURCES test_radio.cpp
  LIBS quillon_radio)
quillon_add_test(test_radio_window
  SOURCES test_radio_window.cpp
  LIBS quillon_app)
quillon_add_test(test_pairing
  SOURCES test_pairing.cpp
  LIBS quillon_radio)
quillon_add_test(test_pairing_window
  SOURCES test_pairing_window.cpp
  LIBS quillon_app)
