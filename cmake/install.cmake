# SPDX-License-Identifier: MIT
# What `cmake --install` puts where (GNU directories under any prefix; DESTDIR is honoured), and the
# Debian package that `cpack -G DEB` builds from the same rules.
set(_desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
set(RAMBLENOTE_APP_ID org.ramblenote.Ramblenote)

install(TARGETS ramblenote RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/resources/bin/ramblenote-print DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Res/Ramblenote.Ini DESTINATION ${RAMBLENOTE_INSTALL_DATADIR}/Res)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/sample/ DESTINATION ${RAMBLENOTE_INSTALL_DATADIR}/sample)

install(FILES ${_desktop}/${RAMBLENOTE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_desktop}/${RAMBLENOTE_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${RAMBLENOTE_APP_ID}.xml)
configure_file(${_desktop}/${RAMBLENOTE_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${RAMBLENOTE_APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${RAMBLENOTE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_desktop}/icons/${RAMBLENOTE_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size 16 32 48 64 128 256)
    install(FILES ${_desktop}/icons/${_size}x${_size}/${RAMBLENOTE_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/docs.cmake)

# Debian 12 package. The libraries (Qt 6 widgets, ICU, X11) are found by dpkg-shlibdeps; the Japanese
# fonts that stand in for the fonts the settings name are added by hand. Desktop, MIME and icon caches
# are refreshed by the triggers of the packages that own those directories.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ramblenote)
set(CPACK_PACKAGE_VENDOR "Ramblenote")
# The packager names themselves: cmake -DRAMBLENOTE_MAINTAINER="Name <address>" (or cpack -D
# CPACK_DEBIAN_PACKAGE_MAINTAINER=...). A package without a maintainer is refused when it is built
# (packaging/cpack_checks.cmake), never given a made-up one; the changelog is signed by the maintainer.
set(RAMBLENOTE_MAINTAINER "" CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")
set(CPACK_PACKAGE_CONTACT "${RAMBLENOTE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RAMBLENOTE_MAINTAINER}")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_checks.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/package_changelog.cmake)
set(CPACK_RAMBLENOTE_CHANGELOG ${PROJECT_SOURCE_DIR}/CHANGELOG)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "outliner for long structured documents in Japanese")
# Lines of at most 80 columns in the control file (which indents them by one), as Debian wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "A document is an outline of folder and text nodes: one small Tree file plus
one Shift-JIS body file per text node. Nodes are added, renamed, dragged and
deleted through a trash; bodies are edited beside the outline, searched,
counted, and written out as one text document with numbered headings, or set
in pages as a PDF on Japanese manuscript paper or A4, vertical or
horizontal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont, qt6-translations-l10n")
# The print helper hands bodies to CUPS through lp; notify-send is its only way to tell the user that
# printing failed, since the program starts it without a terminal and learns nothing of its outcome.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, cups-client, libnotify-bin")
include(CPack)

if(RAMBLENOTE_GUI)
    set(_desktop_run desktop)
else()
    set(_desktop_run headless-only)
endif()
add_test(NAME install COMMAND ${PROJECT_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR} ${_desktop_run})
set_tests_properties(install PROPERTIES LABELS install TIMEOUT 300)
add_test(NAME package COMMAND ${PROJECT_SOURCE_DIR}/tests/install/package_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package PROPERTIES LABELS install TIMEOUT 600)
# The helper makes its pages with the program beside it, which needs the Qt build for --pdf.
if(RAMBLENOTE_GUI)
    add_test(NAME print_helper COMMAND ${PROJECT_SOURCE_DIR}/tests/install/print_helper_test.sh
                                       ${CMAKE_BINARY_DIR}/bin/ramblenote-print)
    set_tests_properties(print_helper PROPERTIES LABELS install TIMEOUT 60)
endif()
