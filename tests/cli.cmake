# quillon-cli: its plain decisions, the binary against quillon-phone, and its
# "info" beside the window's for the same files.
quillon_add_test(test_cli
  SOURCES test_cli.cpp
  LIBS quillon_cli_core quillon_app)
add_dependencies(test_cli quillon-cli)
set_property(TEST test_cli APPEND PROPERTY ENVIRONMENT "QUILLON_CLI=$<TARGET_FILE:quillon-cli>")
target_compile_definitions(test_cli PRIVATE QUILLON_VERSION="${PROJECT_VERSION}" QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# quillon-cli set against a table of arguments, the files' bytes checked.
quillon_add_test(test_cli_set
  SOURCES test_cli_set.cpp
  LIBS quillon_image)
add_dependencies(test_cli_set quillon-cli)
set_property(TEST test_cli_set APPEND PROPERTY ENVIRONMENT "QUILLON_CLI=$<TARGET_FILE:quillon-cli>")
