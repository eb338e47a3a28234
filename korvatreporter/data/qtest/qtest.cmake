# kr_data: Qt Test XML and lightxml output
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qaqtestformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qaqtestformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qaqtestreader.h
  ${CMAKE_CURRENT_LIST_DIR}/qaqtestreader.cpp)
