# The program's code is layered, one static library per folder, each depending only on the
# layers below it:
#
#   common <- picture <- bank <- practice <- exam <- ui <- app
#
# A layer's headers are reachable only through an include root of its own that holds nothing but
# that folder, and a target gets that root only by linking the layer. A file that includes a
# header of a layer its library does not link therefore fails to compile; tests/layers checks
# that it does.

set(KEMUYI_LAYERS common picture bank practice exam ui app)

# kemuyi_add_layer(<folder> <source>...): the static library kemuyi_<folder>.
function(kemuyi_add_layer folder)
  set(target kemuyi_${folder})
  add_library(${target} STATIC ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
