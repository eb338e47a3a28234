# rendoc: HTML writer, its configuration, the exporter and its dialog
target_sources(rendoc PRIVATE
  dhtmlconfig.cpp
  dhtmlwriter.cpp
  dlogmonitor.cpp
  dexporthtml.cpp
  dexporthtmldialog.cpp
  qaviewerhtmlwriter.cpp
  dhtmlconfig.h
  dhtmlwriter.h
  dlogmonitor.h
  dexporthtml.h
  dexporthtmldialog.h
  qaviewerhtmlwriter.h
)
