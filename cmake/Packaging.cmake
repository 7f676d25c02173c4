# Installed files, by the freedesktop conventions, and the Debian package.
set(APP_ID org.example.Tamsverolind)
install(FILES "${PROJECT_SOURCE_DIR}/data/${APP_ID}.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PROJECT_SOURCE_DIR}/data/${APP_ID}.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/icons/hicolor" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tamsverolind)

set(CPACK_PACKAGE_NAME tamsverolind)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tamsverolind authors")
set(CPACK_PACKAGE_CONTACT "The Tamsverolind authors <tamsverolind@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.org/tamsverolind")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Dependencies are read off the binary by dpkg-shlibdeps (Qt's GUI library brings the X11
# platform plugin as its recommendation). The clock's font is no library: recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
include(CPack)
