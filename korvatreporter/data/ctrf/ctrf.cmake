# kr_data: CTRF JSON reports
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qactrfformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qactrfformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qactrfreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qactrfreader.h)
