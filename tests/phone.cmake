# The telephone emulator's core, and a short run of the binary on a pty
# (its path comes in QUILLON_PHONE).
quillon_add_test(test_phone
  SOURCES test_phone.cpp
  LIBS quillon_phone_core)
