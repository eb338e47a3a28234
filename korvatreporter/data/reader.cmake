# kr_data: XRD reader and the loading driver
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qastxmlrodhandler.h
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qastxmlrodhandler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qastxmlrodreader.h
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qastxmlrodreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaprogressthrottle.h
  ${CMAKE_CURRENT_LIST_DIR}/qaprogressthrottle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporterreadcontext.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterloader.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterloader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareportertotal.h)
