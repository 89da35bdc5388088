# Fails when plain code includes the window. Every .cpp and .h of image/,
# link/, radio/ and cli/ outside a ui/ subfolder is plain code (QtCore at
# most): the CLI and the plain libraries are built without widgets, and a
# folder's window handlers belong in its ui/ (docs/architecture.md). Such a
# file may not include a header of Qt's QtWidgets (any name in WIDGETS_DIR,
# or <QtWidgets/...>), QAction or QActionGroup (QtGui since Qt 6, but the
# window's), an app/ header or a ui/ header.
#   cmake -DSOURCE_DIR=<checkout> -DWIDGETS_DIR=<Qt's include/QtWidgets> -P tools/check-plain-includes.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE_DIR WIDGETS_DIR)
  if(NOT IS_DIRECTORY "${${var}}")
    message(FATAL_ERROR "${var} is not a folder: '${${var}}'")
  endif()
endforeach()
# A wrong folder would find no header and pass everything.
if(NOT EXISTS "${WIDGETS_DIR}/QWidget")
  message(FATAL_ERROR "${WIDGETS_DIR} has no QWidget: not the QtWidgets include folder")
endif()
file(GLOB widget_headers RELATIVE "${WIDGETS_DIR}" "${WIDGETS_DIR}/*")
list(APPEND widget_headers QAction QActionGroup)

set(files)
foreach(folder image link radio cli)
  file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
  list(APPEND files ${found})
endforeach()
list(FILTER files EXCLUDE REGEX "(^|/)ui/")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no plain source under ${SOURCE_DIR}")
endif()

set(violations)
foreach(f IN LISTS files)
  file(STRINGS "${SOURCE_DIR}/${f}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)([>\"])")
      continue()
    endif()
    set(header "${CMAKE_MATCH_2}")
    set(shown "#include ${CMAKE_MATCH_1}${header}${CMAKE_MATCH_3}")
    string(REGEX REPLACE "^(\\./|\\.\\./)+" "" rooted "${header}")
    if(header MATCHES "^QtWidgets(/|$)" OR header IN_LIST widget_headers)
      list(APPEND violations "${f}: ${shown} (a widget header)")
    elseif(rooted MATCHES "^app/" OR rooted MATCHES "(^|/)ui/")
      list(APPEND violations "${f}: ${shown} (the window's code)")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Plain code includes the window; move the file into its folder's ui/ or drop the include:\n  ${text}")
endif()
message(STATUS "${count} plain files, none includes a widget, app/ or ui/ header")
