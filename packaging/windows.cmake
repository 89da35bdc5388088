# Windows: the runtime beside the programs (build folder and installation),
# the NSIS installer quillon-<version>-win64.exe and a portable .zip (cpack).

# What the programs load: Qt's DLLs and plugins and the mingw-w64 runtime.
set(qt_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
set(qt_platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
set(qt_styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
set(mingw_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "mingw-w64 runtime ${dll} not found")
  endif()
  list(APPEND mingw_dlls ${found})
endforeach()

# The build folder's bin/ as a program folder, so the tests (offscreen, the
# test library too) and the programs run there under wine.
set(bin ${CMAKE_BINARY_DIR}/bin)
add_custom_target(quillon_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_dlls} $<TARGET_FILE:Qt6::Test> ${mingw_dlls} ${bin}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_platforms}
    $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> ${bin}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_styles} ${bin}/styles
  VERBATIM)
add_dependencies(quillon quillon_runtime)
add_dependencies(quillon-cli quillon_runtime)

# The installation: one folder, the programs beside their DLLs.
install(TARGETS quillon quillon-cli RUNTIME DESTINATION .)
install(FILES ${qt_dlls} ${mingw_dlls} DESTINATION .)
install(FILES ${qt_platforms} DESTINATION platforms)
install(FILES ${qt_styles} DESTINATION styles)
# Qt's Russian texts: the catalogue is the same file on every system; the
# window looks for it in translations/ beside itself.
set(qt_ru_catalogue /usr/share/qt6/translations/qtbase_ru.qm)
if(EXISTS ${qt_ru_catalogue})
  install(FILES ${qt_ru_catalogue} DESTINATION translations)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
# The runtime DLLs come with their symbols (libstdc++ alone is 23 MB so).
if(CMAKE_STRIP)
  install(CODE "
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(dll \${dlls})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\")
    endforeach()")
endif()

add_custom_target(installables)
add_dependencies(installables quillon quillon-cli quillon_runtime)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EEPROM programmer for SN-258 cordless telephones")
set(CPACK_PACKAGE_FILE_NAME quillon-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillon)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quillon)
set(CPACK_STRIP_FILES ON)
# Start-menu entry "Quillon" for quillon.exe (its icon is the program's own).
set(CPACK_PACKAGE_EXECUTABLES quillon Quillon)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quillon)
set(CPACK_NSIS_DISPLAY_NAME "Quillon ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME quillon.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/quillon.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/quillon.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer (Debian's NSIS has the amd64 stubs): it needs no 32-bit
# Windows layer, which wine on a 64-bit-only Debian does not have.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# CPack's NSIS template always shows a text page; without this one it would
# show CMake's own licence.
set(welcome ${CMAKE_CURRENT_BINARY_DIR}/windows-welcome.txt)
file(WRITE ${welcome}
  "Quillon ${PROJECT_VERSION}: EEPROM programmer for SN-258 cordless telephones.\n\n"
  "Installs quillon.exe (the window) and quillon-cli.exe (the command line)\n"
  "with the Qt and mingw-w64 runtime they need, and a Start-menu entry.\n")
set(CPACK_RESOURCE_FILE_LICENSE ${welcome})
set(CPACK_ZIP_COMPONENT_INSTALL OFF)
include(CPack)
