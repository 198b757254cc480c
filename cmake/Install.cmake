# Installation and the Debian package.
#
# The program loads its pictures and examdb.lib from the folder of its own executable, so the
# program, the bank tool, the bank and every picture stay together in lib/kemuyi/. bin/ holds
# relative symlinks to them: Qt resolves /proc/self/exe, so a program started through the link
# still sees lib/kemuyi/ as its folder, and the tree can be moved as a whole.

include(GNUInstallDirs)

set(KEMUYI_APP_ID io.github.kemuyi.Kemuyi)
set(KEMUYI_INSTALL_APPDIR ${CMAKE_INSTALL_LIBDIR}/kemuyi)

install(TARGETS kemuyi kemuyi-bank RUNTIME DESTINATION ${KEMUYI_INSTALL_APPDIR})
install(FILES ${KEMUYI_PICTURE_FILES} DESTINATION ${KEMUYI_INSTALL_APPDIR})
install(FILES ${KEMUYI_ILLUSTRATION_FILES} DESTINATION ${KEMUYI_INSTALL_APPDIR}/pic)
if(EXISTS ${KEMUYI_QUESTION_SOURCE})
  install(FILES ${KEMUYI_BIN_DIR}/examdb.lib DESTINATION ${KEMUYI_INSTALL_APPDIR})
endif()

file(RELATIVE_PATH _kemuyi_link_base ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/kemuyi)
set(_kemuyi_launchers ${CMAKE_BINARY_DIR}/launchers)
file(MAKE_DIRECTORY ${_kemuyi_launchers})
foreach(_program kemuyi kemuyi-bank)
  file(CREATE_LINK ${_kemuyi_link_base}/${_program} ${_kemuyi_launchers}/${_program} SYMBOLIC)
  install(FILES ${_kemuyi_launchers}/${_program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Desktop integration: the menu entry, the software-centre description and the icon, all named
# by the application id so desktops can match them up.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${KEMUYI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${KEMUYI_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_size 48 128)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/kemuyi-${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${KEMUYI_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/kemuyi.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KEMUYI_APP_ID}.svg)

# The manual pages and the changelog are installed gzipped (-n: no name or time stamp inside, so
# the package builds the same every time); the licence goes where Debian looks for it.
find_program(KEMUYI_GZIP gzip REQUIRED)
set(_kemuyi_gzipped)
foreach(_doc packaging/man/kemuyi.1 packaging/man/kemuyi-bank.1 packaging/changelog)
  get_filename_component(_name ${_doc} NAME)
  set(_out ${CMAKE_BINARY_DIR}/docs/${_name}.gz)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/docs
    COMMAND sh -c "${KEMUYI_GZIP} -9nc '${PROJECT_SOURCE_DIR}/${_doc}' > '${_out}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/${_doc} VERBATIM)
  list(APPEND _kemuyi_gzipped ${_out})
endforeach()
add_custom_target(kemuyi_docs ALL DEPENDS ${_kemuyi_gzipped})
install(FILES ${CMAKE_BINARY_DIR}/docs/kemuyi.1.gz ${CMAKE_BINARY_DIR}/docs/kemuyi-bank.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/docs/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kemuyi)
set(CPACK_PACKAGE_VENDOR "kemuyi developers")
# The project has no mail address yet: a reserved .invalid one keeps the field well formed
# (README, "The Debian package", says what lintian then reports).
set(CPACK_PACKAGE_CONTACT "kemuyi developers <maintainers@kemuyi.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "practice for the written Chinese driving-licence test (subject one)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A learner picks a licence category and works through its single-choice\n"
    "and true/false questions in question-number order or shuffled, each\n"
    "answer judged at once; the numeric keypad works as the exam terminal's\n"
    "keyboard. A sample question bank is included, and kemuyi-bank builds\n"
    "and checks replacement banks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# dpkg-shlibdeps adds the Qt, libjpeg and SQLite libraries; the fonts are loaded by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libmdb3 is the bank tool's, which converts Jet (.mdb) banks for the program.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, libmdb3")
# Reading questions aloud needs a speech service and a Mandarin voice; the program runs without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng")
include(CPack)
