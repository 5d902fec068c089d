# Imported targets for wxWidgets from wx-config:
#   wx::base  wxBase + wxXml only (the quiz engine, the XML writer, tools)
#   wx::gui   the windows as well (core, adv, aui)
find_program(WX_CONFIG NAMES wx-config REQUIRED)

function(_mindprism_wx_config out)
  execute_process(COMMAND ${WX_CONFIG} ${ARGN}
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "wx-config ${ARGN} failed; install libwxgtk3.2-dev")
  endif()
  separate_arguments(value UNIX_COMMAND "${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

_mindprism_wx_config(WX_VERSION --version)
if(WX_VERSION VERSION_LESS 3.2)
  message(FATAL_ERROR "wxWidgets 3.2 or later is needed, found ${WX_VERSION}")
endif()
_mindprism_wx_config(WX_CXXFLAGS --cxxflags)
_mindprism_wx_config(WX_BASE_LIBS --libs base,xml)
_mindprism_wx_config(WX_GUI_LIBS --libs base,core,aui,xml)

add_library(wx::base INTERFACE IMPORTED)
set_target_properties(wx::base PROPERTIES
  INTERFACE_COMPILE_OPTIONS "${WX_CXXFLAGS}"
  INTERFACE_LINK_LIBRARIES "${WX_BASE_LIBS}")
add_library(wx::gui INTERFACE IMPORTED)
set_target_properties(wx::gui PROPERTIES
  INTERFACE_COMPILE_OPTIONS "${WX_CXXFLAGS}"
  INTERFACE_LINK_LIBRARIES "${WX_GUI_LIBS}")
