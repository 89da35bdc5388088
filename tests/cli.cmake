# quillon-cli: its plain decisions, the binary against quillon-phone, and its
# "info" beside the window's for the same files.
quillon_add_test(test_cli
  SOURCES test_cli.cpp
  LIBS quillon_cli_core quillon_app
  DEFINITIONS QUILLON_VERSION="${PROJECT_VERSION}" QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  CLI)
# quillon-cli set against a table of arguments, the files' bytes checked.
quillon_add_test(test_cli_set
  SOURCES test_cli_set.cpp
  LIBS quillon_image
  CLI)
