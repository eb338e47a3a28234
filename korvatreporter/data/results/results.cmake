# kr_data: the node tree and report text of runners' own formats
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qaresultsbuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaresultsbuilder.h)
