# kr_data: report tree view and failed-test navigation
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qarlistview.h
  ${CMAKE_CURRENT_LIST_DIR}/qarlistview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qarlistviewitem.h
  ${CMAKE_CURRENT_LIST_DIR}/qarlistviewitem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporterimages.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterimages.cpp)
