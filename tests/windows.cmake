# Windows only: the Win32 port against quillon-phone on a COM port that wine
# maps (see tools/test-windows.sh), and image files on the Windows disk.
if(NOT WIN32)
  return()
endif()
quillon_add_test(test_comport_win SOURCES test_comport_win.cpp LIBS quillon_link TIMEOUT 180)
quillon_add_test(test_files_win SOURCES test_files_win.cpp LIBS quillon_image)
quillon_add_test(test_port_notifier_win SOURCES test_port_notifier_win.cpp LIBS quillon_link)
quillon_add_test(test_cli_win SOURCES test_cli_win.cpp LIBS quillon_cli_core)
