# Debian package of the viewer (scripts/package): everything install.cmake
# installs, plus the AppStream metainfo, a man page made from `xrdview --help`
# and the copyright and changelog files Debian asks for. CPack builds
# korvat_<version>_amd64.deb; dpkg-shlibdeps finds the runtime dependencies.
# Included after install.cmake.

set(KORVAT_RELEASE_DATE "2026-12-06")
set(KORVAT_RELEASE_RFC2822 "Sun, 06 Dec 2026 12:00:00 +0000")
set(korvat_pkg ${PROJECT_BINARY_DIR}/packaging)

configure_file(${PROJECT_SOURCE_DIR}/xrdview/xrdview.metainfo.xml.in
               ${korvat_pkg}/org.korvat.xrdview.metainfo.xml @ONLY)
install(FILES ${korvat_pkg}/org.korvat.xrdview.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${korvat_pkg}/changelog @ONLY)
set(korvat_doc ${CMAKE_INSTALL_DATADIR}/doc/korvat)
add_custom_command(OUTPUT ${korvat_pkg}/changelog.gz
  COMMAND gzip -9nfk ${korvat_pkg}/changelog
  DEPENDS ${korvat_pkg}/changelog
  COMMENT "Compressing the package changelog")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${korvat_doc})
# Made by the package_files target, which scripts/package builds.
install(FILES ${korvat_pkg}/changelog.gz DESTINATION ${korvat_doc} OPTIONAL)

# The man page is xrdview's own help, put in man form by help2man when it is
# there (scripts/setup installs it); without it there is no man page.
find_program(HELP2MAN help2man)
set(korvat_package_files ${korvat_pkg}/changelog.gz)
if(HELP2MAN AND TARGET xrdview)
  add_custom_command(OUTPUT ${korvat_pkg}/xrdview.1.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --no-discard-stderr --section=1
            "--name=test report viewer for XRD reports and JUnit XML results"
            --output=${korvat_pkg}/xrdview.1 $<TARGET_FILE:xrdview>
    COMMAND gzip -9nf ${korvat_pkg}/xrdview.1
    DEPENDS xrdview
    COMMENT "Making the xrdview man page from its --help")
  install(FILES ${korvat_pkg}/xrdview.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 OPTIONAL)
  list(APPEND korvat_package_files ${korvat_pkg}/xrdview.1.gz)
endif()
add_custom_target(package_files DEPENDS ${korvat_package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The korvat maintainers <maintainers@korvat.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "test report viewer for XRD reports and JUnit XML results")
set(CPACK_PACKAGE_DESCRIPTION "xrdview shows the tree of test nodes with their verdicts beside the formatted
report and a summary table, filters to failed tests, follows failures to their
source lines, exports HTML pages and files defects. Its command line prints
summaries and exports HTML without a display, for continuous integration.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Only the files above: no headers, no tests.
set(CPACK_COMPONENTS_ALL Unspecified)
include(CPack)

# The package of the tested build: its file list, lintian and the metainfo.
if(KORVAT_BUILD_TESTS)
  add_test(NAME debian_package COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package --from-build ${PROJECT_BINARY_DIR})
  set_tests_properties(debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE)
endif()
