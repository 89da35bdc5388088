# The guide inside the program (F1), and the commands the documents mark as
# runnable, run against quillon-phone.
quillon_add_test(test_help_window
  SOURCES test_help_window.cpp
  LIBS quillon_app)
target_compile_definitions(test_help_window PRIVATE QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
if(NOT WIN32)
  add_test(NAME docs_runnable
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/run-doc-blocks.sh $<TARGET_FILE:quillon-cli> $<TARGET_FILE:quillon-phone>)
  set_tests_properties(docs_runnable PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8;LANGUAGE=")
endif()
