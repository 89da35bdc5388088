# Backups of reads, undo and the question on closing: the plain naming and
# listing, the window's user paths (also against quillon-phone), and
# quillon-cli's read and backups commands.
quillon_add_test(test_safety
  SOURCES test_safety.cpp
  LIBS quillon_app
  TIMEOUT 120
  CLI)
