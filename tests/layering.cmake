# Plain code (image/, link/, radio/, cli/ outside their ui/ folders) includes
# no widget, app/ or ui/ header: tools/check-plain-includes.cmake, against the
# QtWidgets include folder of the Qt this build uses.
get_target_property(qt_widget_includes Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
set(qt_widgets_dir)
foreach(dir IN LISTS qt_widget_includes)
  if(dir MATCHES "/QtWidgets$" AND IS_DIRECTORY "${dir}")
    set(qt_widgets_dir "${dir}")
  elseif(NOT qt_widgets_dir AND IS_DIRECTORY "${dir}/QtWidgets")
    set(qt_widgets_dir "${dir}/QtWidgets")
  endif()
endforeach()
add_test(NAME plain_code_without_widgets
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DWIDGETS_DIR=${qt_widgets_dir}
    -P ${PROJECT_SOURCE_DIR}/tools/check-plain-includes.cmake)
