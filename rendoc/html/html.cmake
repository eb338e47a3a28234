# rendoc/html: HTML writer, its configuration, the exporter and its dialog
target_sources(rendoc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dexportfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dexportfile.h
  ${CMAKE_CURRENT_LIST_DIR}/dexporthtml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dexporthtml.h
  ${CMAKE_CURRENT_LIST_DIR}/dexporthtmldialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dexporthtmldialog.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlconfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlconfig.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlescape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlescape.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlgraphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlgraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlimagecopier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlimagecopier.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlstylesheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlstylesheet.h
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlwriterlinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dhtmlwriter.h
  ${CMAKE_CURRENT_LIST_DIR}/dlogmonitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlogmonitor.h
  ${CMAKE_CURRENT_LIST_DIR}/qaviewerhtmlwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaviewerhtmlwriter.h
)
