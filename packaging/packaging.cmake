# Installing, laid out as Debian's own games are: the program in games/, its title picture in
# share/games/kestor/ (where the program looks, from its own folder), and what the desktop needs:
# the menu entry, the icons, the AppStream metainfo and the manual page. The Debian package in
# debian/ installs exactly these.
set(KESTOR_ID org.kestor.Kestor)
# Whoever publishes the game answers for it: software centres show this address as the contact.
set(KESTOR_MAINTAINER "Kestor maintainers <maintainers@example.org>"
    CACHE STRING "The maintainer named in the metainfo, as \"Name <address>\"")
if(NOT KESTOR_MAINTAINER MATCHES "<([^<>@ ]+@[^<> ]+)>$")
  message(FATAL_ERROR "KESTOR_MAINTAINER must end in <address>, not \"${KESTOR_MAINTAINER}\"")
endif()
set(KESTOR_CONTACT ${CMAKE_MATCH_1})
configure_file(${CMAKE_CURRENT_LIST_DIR}/${KESTOR_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${KESTOR_ID}.metainfo.xml @ONLY)

install(TARGETS kestor RUNTIME DESTINATION games)
install(FILES ${CMAKE_BINARY_DIR}/assets/Tilte.bmp DESTINATION share/games/kestor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KESTOR_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KESTOR_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/assets/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestor.6 DESTINATION share/man/man6)
