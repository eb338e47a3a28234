# Installation layout: <prefix>/bin/xrdview, the SDK library
# (libkorvat-sdk.so) and the plug-in in <libdir>/xrdview
# where the host looks for it, the default style file at
# <prefix>/lib/reporterstyle.aml (the plug-in reads it from "lib" under the
# host's install directory), the example reports, a desktop entry with its
# application icon (hicolor theme, SVG and PNG sizes) and the MIME types of
# "*.xrd" reports and "*.xml" JUnit results.
# Included at the end of the top-level CMakeLists, after every target exists.

# The SDK library is private to the viewer: it sits beside the plug-in in
# <libdir>/xrdview, not among the system's shared libraries.
if(TARGET xrdview)
  set_target_properties(xrdview PROPERTIES INSTALL_RPATH "$ORIGIN/../${XRDVIEW_PLUGIN_SUBDIR}")
  install(TARGETS xrdview RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(TARGETS sdk LIBRARY DESTINATION ${XRDVIEW_PLUGIN_SUBDIR})

if(TARGET korvatreporter)
  set_target_properties(korvatreporter PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS korvatreporter LIBRARY DESTINATION ${XRDVIEW_PLUGIN_SUBDIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/examples/reporterstyle.aml DESTINATION lib)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${XRDVIEW_EXAMPLES_SUBDIR}
        FILES_MATCHING PATTERN "*.xrd" PATTERN "*.xml" PATTERN "README.md")
install(FILES ${PROJECT_SOURCE_DIR}/xrdview/xrdview.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/xrdview/xrdview-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME xrdview.xml)
install(FILES ${PROJECT_SOURCE_DIR}/xrdview/icons/xrdview.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/xrdview/icons/xrdview-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME xrdview.png)
endforeach()
