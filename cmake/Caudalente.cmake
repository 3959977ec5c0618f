# Helpers shared by the layer CMakeLists.
#
# caudalente_qt(TARGET)
#   Runs moc and rcc for a target that uses Qt; the plain C++ targets skip them.
function(caudalente_qt target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()
#
# caudalente_library(NAME DIRS dir... [LINKS lib...])
#   A static library of every *.cpp in the given folders (relative to the
#   calling folder). Folders fill up as the layers grow, so an empty one
#   still yields a valid (empty) library. A library that links Qt gets moc.
function(caudalente_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
                                      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources MATCHES "\\.cpp")
    set(empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${empty} "// no sources yet\n")
    list(APPEND sources ${empty})
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  if(ARG_LINKS MATCHES "Qt6::")
    caudalente_qt(${name})
  endif()
endfunction()
