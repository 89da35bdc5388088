quillon_add_test(test_image
  SOURCES test_eeprom_image.cpp test_word_description.cpp test_image_document.cpp
  LIBS quillon_image)
quillon_add_test(test_window
  SOURCES test_window.cpp
  LIBS quillon_app)
