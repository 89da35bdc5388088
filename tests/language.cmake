# The window in English and in Russian: the catalogue is complete, the choice
# on the "?" menu is remembered, Qt's own texts follow it.
quillon_add_test(test_language
  SOURCES test_language.cpp
  LIBS quillon_app)
target_compile_definitions(test_language PRIVATE QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
