# The pictures every window starts with, compiled into the program (the normal artwork; the
# hover pictures exist only as files).
set(KEMUYI_BUILTIN_PICTURES
  assets/logo.jpg assets/bground1.jpg assets/bground2.jpg
  assets/a1a3b1.jpg assets/a2b2.jpg assets/c1c2c3c4.jpg assets/m.jpg assets/def.jpg assets/tc.jpg
  assets/1.jpg assets/2.jpg assets/3.jpg assets/4.jpg assets/5.jpg assets/6.jpg assets/7.jpg
  assets/dui.jpg assets/cuo.jpg assets/sxlx.jpg assets/jqlx.jpg assets/exit.jpg
  assets/uncheck.jpg assets/checked.jpg
  assets/thinking.jpg assets/yes.jpg assets/no.jpg
  assets/mnks.jpg assets/jx.jpg assets/ld.jpg
)

# Every picture file the program loads beside its executable, normal and hover.
file(GLOB KEMUYI_PICTURE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/*.jpg)
file(GLOB KEMUYI_ILLUSTRATION_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/pic/*.jpg)

set(_copied)
foreach(_file IN LISTS KEMUYI_PICTURE_FILES)
  get_filename_component(_name ${_file} NAME)
  add_custom_command(OUTPUT ${KEMUYI_BIN_DIR}/${_name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_file} ${KEMUYI_BIN_DIR}/${_name}
    DEPENDS ${_file} VERBATIM)
  list(APPEND _copied ${KEMUYI_BIN_DIR}/${_name})
endforeach()
foreach(_file IN LISTS KEMUYI_ILLUSTRATION_FILES)
  get_filename_component(_name ${_file} NAME)
  add_custom_command(OUTPUT ${KEMUYI_BIN_DIR}/pic/${_name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KEMUYI_BIN_DIR}/pic
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_file} ${KEMUYI_BIN_DIR}/pic/${_name}
    DEPENDS ${_file} VERBATIM)
  list(APPEND _copied ${KEMUYI_BIN_DIR}/pic/${_name})
endforeach()

# The bank beside the program, built from the TSV source. The glob makes the build notice when
# the source first appears; until then there is no bank to build.
set(KEMUYI_QUESTION_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/assets/questions.tsv)
# Pairs of questions alike in words that a reviewer found to ask different things.
set(KEMUYI_REVIEWED_PAIRS ${CMAKE_CURRENT_SOURCE_DIR}/assets/reviewed-pairs.tsv)
file(GLOB _question_source CONFIGURE_DEPENDS ${KEMUYI_QUESTION_SOURCE})
if(EXISTS ${KEMUYI_QUESTION_SOURCE})
  add_custom_command(OUTPUT ${KEMUYI_BIN_DIR}/examdb.lib
    COMMAND kemuyi-bank build ${KEMUYI_QUESTION_SOURCE} --distinct ${KEMUYI_REVIEWED_PAIRS}
            -o ${KEMUYI_BIN_DIR}/examdb.lib
    DEPENDS ${KEMUYI_QUESTION_SOURCE} ${KEMUYI_REVIEWED_PAIRS} kemuyi-bank
    COMMENT "Building the question bank examdb.lib"
    VERBATIM)
  list(APPEND _copied ${KEMUYI_BIN_DIR}/examdb.lib)
endif()

add_custom_target(kemuyi_assets ALL DEPENDS ${_copied})
