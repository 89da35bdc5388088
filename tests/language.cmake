# The window in English and in Russian: the catalogue is complete, the choice
# on the "?" menu is remembered, Qt's own texts follow it.
quillon_add_test(test_language
  SOURCES test_language.cpp
  LIBS quillon_app)
# The guides' pictures it saves go into this build folder.
target_compile_definitions(test_language PRIVATE QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  QUILLON_PICTURE_DIR="${CMAKE_CURRENT_BINARY_DIR}")
# Every text in the sources has its translation (lupdate into a copy of each .ts).
if(NOT WIN32 AND TARGET Qt6::lupdate)
  add_test(NAME translations_complete
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/check-translations.sh $<TARGET_FILE:Qt6::lupdate>)
endif()
