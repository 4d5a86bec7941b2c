# A Debian package of what `cmake --install` puts in place: `cpack` in the
# build folder writes it. The libraries it needs are read off the program by
# dpkg-shlibdeps; the fonts its aliases name are recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "access-log viewer with an eye on search-engine crawlers")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane reads a web-server access log (plain, or packed with gzip, zstd, bzip2 or xz) and shows every line, and on a tab of its own the lines of each search-engine crawler, cut into address, time, URL, protocol, status and size.")
set(CPACK_PACKAGE_CONTACT "Corvane developers <corvane@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming, fonts-liberation, fonts-wqy-zenhei")
include(CPack)
