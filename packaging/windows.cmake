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

# Qt's own texts (standard buttons, dialogs) in the window's languages, where
# Debian has them; the window looks for them in translations/ beside itself.
set(qt_catalogues)
foreach(lang ru en)
  if(EXISTS /usr/share/qt6/translations/qtbase_${lang}.qm)
    list(APPEND qt_catalogues /usr/share/qt6/translations/qtbase_${lang}.qm)
  endif()
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
  COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/translations
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_catalogues} ${bin}/translations
  VERBATIM)
add_dependencies(quillon quillon_runtime)
add_dependencies(quillon-cli quillon_runtime)

# Both program files carry the icon, their version and a manifest.
set(CPACK_PACKAGE_VENDOR "Quillon developers")
function(quillon_program_resources target description)
  set(name ${target})
  set(ico ${CMAKE_BINARY_DIR}/app/quillon.ico)
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/program.manifest.in ${manifest} @ONLY)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES OBJECT_DEPENDS "${ico};${manifest}")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  add_dependencies(${target} quillon_icon)
endfunction()
quillon_program_resources(quillon "Quillon: EEPROM programmer for SN-258 cordless telephones")
quillon_program_resources(quillon-cli "Quillon command line: EEPROM programmer for SN-258 cordless telephones")

# Texts for Windows: line ends of its own, the CLI's manual as plain text.
set(win_docs ${CMAKE_CURRENT_BINARY_DIR}/windows-docs)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md
  ${CMAKE_CURRENT_SOURCE_DIR}/README-windows.md)
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
# Its links point into the installed folder where the document is installed
# (doc\, the manual as bin\quillon-cli.txt); the developers' documents stay
# in the source tree, which the first line says.
set(win_user_docs cli windows troubleshooting backups)
foreach(doc guide guide.en ${win_user_docs})
  string(REPLACE "](docs/${doc}.md" "](doc/${doc}.md" readme "${readme}")
endforeach()
foreach(picture quillon verify pairing series)
  string(REPLACE "](docs/${picture}.png" "](doc/${picture}.png" readme "${readme}")
endforeach()
string(REPLACE "](cli/quillon-cli.1)" "](bin/quillon-cli.txt)" readme "${readme}")
# Who opens README.txt has Windows: its part comes first, the Debian commands after.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/README-windows.md windows_part)
set(readme "${windows_part}${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${win_docs}/README.txt "${readme}")
# The documents in doc\ likewise, for Notepad (the window shows its guide
# from its own copy).
set(win_doc_files)
foreach(doc ${QUILLON_GUIDE_FILES} ${win_user_docs})
  if(NOT IS_ABSOLUTE "${doc}")
    set(doc ${PROJECT_SOURCE_DIR}/docs/${doc}.md)
  endif()
  get_filename_component(name ${doc} NAME)
  if(name MATCHES "\\.md$")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${doc})
    file(READ ${doc} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${win_docs}/doc/${name} "${text}")
    list(APPEND win_doc_files ${win_docs}/doc/${name})
  else()
    list(APPEND win_doc_files ${doc})
  endif()
endforeach()
find_program(QUILLON_GROFF groff)
if(QUILLON_GROFF)
  add_custom_command(OUTPUT ${win_docs}/quillon-cli.txt
    COMMAND sh -c "GROFF_NO_SGR=1 \"$0\" -man -Tutf8 -P-cbou \"$1\" | sed 's/$/\\r/' > \"$2\""
      ${QUILLON_GROFF} ${PROJECT_SOURCE_DIR}/cli/quillon-cli.1 ${win_docs}/quillon-cli.txt
    DEPENDS ${PROJECT_SOURCE_DIR}/cli/quillon-cli.1
    VERBATIM)
  add_custom_target(quillon_cli_manual ALL DEPENDS ${win_docs}/quillon-cli.txt)
  install(FILES ${win_docs}/quillon-cli.txt DESTINATION bin)
else()
  message(WARNING "groff not found: the Windows package goes without quillon-cli.txt")
endif()

# The installation: the programs beside their DLLs in bin\ (the folder the
# installer can put on the PATH), the README above them.
install(TARGETS quillon quillon-cli RUNTIME DESTINATION bin)
install(FILES ${qt_dlls} ${mingw_dlls} DESTINATION bin)
install(FILES ${qt_platforms} DESTINATION bin/platforms)
install(FILES ${qt_styles} DESTINATION bin/styles)
install(FILES ${win_docs}/README.txt DESTINATION .)
# The guide the window shows on F1, for reading outside it too, and the
# documents README.txt links to.
install(FILES ${win_doc_files} DESTINATION doc)
install(FILES ${qt_catalogues} DESTINATION bin/translations)
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
# The name the installer's pages show ("Add Quillon to the system PATH").
set(CPACK_PACKAGE_NAME Quillon)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EEPROM programmer for SN-258 cordless telephones")
set(CPACK_PACKAGE_FILE_NAME quillon-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillon)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quillon)
set(CPACK_STRIP_FILES ON)
# Start-menu entry "Quillon" for quillon.exe (its icon is the program's own).
set(CPACK_PACKAGE_EXECUTABLES quillon Quillon)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY bin)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quillon)
set(CPACK_NSIS_DISPLAY_NAME "Quillon ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\quillon.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/quillon.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/quillon.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer (Debian's NSIS has the amd64 stubs): it needs no 32-bit
# Windows layer, which wine on a 64-bit-only Debian does not have.
# The uninstaller's last step takes bin\ off the PATH, and where that was
# the user's only entry it left an empty PATH value behind; the vendor key it
# left empty too. Both go once it has finished.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!include FileFunc.nsh
Function un.onUninstSuccess
  ClearErrors
  ReadRegStr $0 HKCU \"Environment\" \"PATH\"
  IfErrors quillon_path_kept
  StrCmp $0 \"\" 0 quillon_path_kept
    DeleteRegValue HKCU \"Environment\" \"PATH\"
    SendMessage 0xFFFF 0x1A 0 \"STR:Environment\" /TIMEOUT=5000
  quillon_path_kept:
  DeleteRegKey /ifempty HKLM \"Software\\${CPACK_PACKAGE_VENDOR}\"
  DeleteRegKey /ifempty HKCU \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")
# No licence page (there is no licence text to show). The options page
# offers bin\ on the PATH (for quillon-cli in a console) and a desktop
# shortcut; the last page offers to start the program. NSIS speaks English or
# Russian (its own texts) by the system's language.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MODIFY_PATH ON)
set(CPACK_CREATE_DESKTOP_LINKS quillon)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN quillon.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A silent install takes the options as /PATH=user, /PATH=all and /DESKTOP.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS [=[
  ${GetOptions} $CMDLINE "/PATH=" $0
  StrCmp $0 "user" 0 quillon_path_all
    !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "State" "0"
    !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 4" "State" "1"
  quillon_path_all:
  StrCmp $0 "all" 0 quillon_path_done
    !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "State" "0"
    !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 3" "State" "1"
  quillon_path_done:
  ClearErrors
  ${GetOptions} $CMDLINE "/DESKTOP" $0
  IfErrors quillon_desktop_done
    !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 5" "State" "1"
  quillon_desktop_done:
]=])
# The uninstall entry's size. The uninstaller removes the program's settings
# and says where the backups and the series logs stay.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon" "EstimatedSize" "$0"
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey HKCU "Software\Quillon"
  DetailPrint "The backups of the telephones read stay in %LOCALAPPDATA%\Quillon\backups, the series logs in %LOCALAPPDATA%\Quillon\series"
  IfSilent quillon_backups_told
    MessageBox MB_OK|MB_ICONINFORMATION "The backups of the telephones Quillon read stay in %LOCALAPPDATA%\Quillon\backups and the logs of its series in %LOCALAPPDATA%\Quillon\series; delete those folders when you no longer need them."
  quillon_backups_told:
]=])
set(CPACK_ZIP_COMPONENT_INSTALL OFF)
# The NSIS texts above reach the installer script as written.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
