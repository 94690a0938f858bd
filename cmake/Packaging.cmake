# The Debian package of linkloom-cli (cpack -G DEB): the program, its manual page, the shell
# completions, the README, and the licence as the package's copyright file.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/base/Version.h version_line REGEX "^#define LINKLOOM_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" LINKLOOM_VERSION "${version_line}")

include(GNUInstallDirs)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/linkloom)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${doc_dir} RENAME copyright)
# A native package's changelog, compressed, without a time stamp in the gzip header.
set(packaged ${CMAKE_CURRENT_BINARY_DIR}/packaged)
file(MAKE_DIRECTORY ${packaged})
file(WRITE ${packaged}/changelog
     "linkloom (${LINKLOOM_VERSION}) unstable; urgency=medium\n\n  * Release ${LINKLOOM_VERSION}.\n\n"
     " -- Linkloom maintainers <maintainers@linkloom.invalid>  Thu, 01 Jan 2026 00:00:00 +0000\n")
install(CODE "execute_process(COMMAND gzip -9nf ${packaged}/changelog -c OUTPUT_FILE ${packaged}/changelog.gz)")
install(FILES ${packaged}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linkloom)
set(CPACK_PACKAGE_VERSION ${LINKLOOM_VERSION})
set(CPACK_PACKAGE_CONTACT "Linkloom maintainers <maintainers@linkloom.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "XML sitemaps from a website's local folder")
# CPack puts the summary first; these are the lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "linkloom-cli walks the folder that holds a website, picks its pages and writes\nan XML sitemap (Sitemaps protocol 0.9), or checks a published one against the\nsite, for terminals and build pipelines.")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl is loaded only when --indexnow posts, so no link names it for the dependencies.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcurl4")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)
include(CPack)
