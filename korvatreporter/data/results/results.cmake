# kr_data: the node tree and report text of runners' own formats
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qaresultsbuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaresultsbuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/qaresultwords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaresultwords.h)
