quillon_add_test(test_image
  SOURCES test_eeprom_image.cpp
  LIBS quillon_image)
