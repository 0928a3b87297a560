# Installing and packaging, laid out as Debian's own games are: the program in games/, its title
# picture in share/games/kestor/ (where the program looks, from its own folder), and what the
# desktop needs: the menu entry, the icons, the AppStream metainfo and the manual page.
# `cpack -G DEB` in the build folder makes kestor_<version>_amd64.deb of the same files.
set(KESTOR_ID org.kestor.Kestor)
set(KESTOR_MAINTAINER "Kestor maintainers <maintainers@kestor.org>")
set(KESTOR_HOMEPAGE https://kestor.org/)

# Debian wants the manual page and the changelog compressed, without a time stamp.
find_program(GZIP gzip REQUIRED)
set(PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
foreach(file kestor.6 changelog)
  add_custom_command(
    OUTPUT ${PACKAGING_DIR}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGING_DIR}
    COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_LIST_DIR}/${file} > ${PACKAGING_DIR}/${file}.gz
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${file})
endforeach()
add_custom_target(kestor-docs ALL DEPENDS ${PACKAGING_DIR}/kestor.6.gz ${PACKAGING_DIR}/changelog.gz)

install(TARGETS kestor RUNTIME DESTINATION games)
install(FILES ${CMAKE_BINARY_DIR}/assets/Tilte.bmp DESTINATION share/games/kestor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KESTOR_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KESTOR_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/assets/hicolor DESTINATION share/icons)
install(FILES ${PACKAGING_DIR}/kestor.6.gz DESTINATION share/man/man6)
install(FILES ${PACKAGING_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION share/doc/kestor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KESTOR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "swat the flies before they eat the dish")
set(CPACK_PACKAGE_DESCRIPTION
    "Flies swarm down on a dish of food at the bottom of the screen; one or two\n\
players swat them with fly swatters before they eat it. Ten missions, five\n\
dishes, bosses, items and a staff roll: a full-screen arcade game of the\n\
1990s, rebuilt for today's Linux desktop on SDL2.\n\
\n\
Player 1 plays with the mouse, player 2 with a joystick or the arrow keys.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KESTOR_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The captions ask fontconfig for the old faces; these are the metric-compatible ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation")
include(CPack)
