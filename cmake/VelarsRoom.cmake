# velars_room(<target> [<room>])
#
# Gives the library of a room (a top-level folder of the tree, or a folder
# path such as tests/support) its include directory: a folder of the build
# tree, ${CMAKE_BINARY_DIR}/rooms/<room>, holding nothing but a link <room>
# to the room's source folder. `#include "<room>/Header.h"` then compiles in
# a target only when the target links the room's library, directly or
# through PUBLIC links; the source tree as a whole is on no include path.
# The room defaults to the folder of the calling CMakeLists.txt.
function(velars_room target)
  if(ARGC GREATER 1)
    set(room "${ARGV1}")
  else()
    file(RELATIVE_PATH room "${CMAKE_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  set(dir "${CMAKE_BINARY_DIR}/rooms/${room}")
  get_filename_component(link_parent "${dir}/${room}" DIRECTORY)
  file(MAKE_DIRECTORY "${link_parent}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${room}" "${dir}/${room}" SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${dir}")
  else()
    target_include_directories(${target} PUBLIC "${dir}")
  endif()
endfunction()
