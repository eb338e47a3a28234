# kr_window: the report tree, a model over the shown node trees, its view
# with failed-test navigation, and their images
target_sources(kr_window PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qartreemodel.h
  ${CMAKE_CURRENT_LIST_DIR}/qartreemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qartreefilter.h
  ${CMAKE_CURRENT_LIST_DIR}/qartreefilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qartreefilterline.h
  ${CMAKE_CURRENT_LIST_DIR}/qartreefilterline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qarshownrows.h
  ${CMAKE_CURRENT_LIST_DIR}/qarshownrows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qarbranchdelegate.h
  ${CMAKE_CURRENT_LIST_DIR}/qarbranchdelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qarlistview.h
  ${CMAKE_CURRENT_LIST_DIR}/qarlistview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporterimages.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterimages.cpp)
