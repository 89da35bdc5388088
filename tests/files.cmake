quillon_add_test(test_files
  SOURCES test_files.cpp
  LIBS quillon_image)
quillon_add_test(test_presets
  SOURCES test_presets.cpp
  LIBS quillon_image)
quillon_add_test(test_files_window
  SOURCES test_files_window.cpp
  LIBS quillon_app)
