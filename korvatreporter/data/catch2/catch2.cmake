# kr_data: Catch2 XML reporter output
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qacatch2format.h
  ${CMAKE_CURRENT_LIST_DIR}/qacatch2format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qacatch2reader.h
  ${CMAKE_CURRENT_LIST_DIR}/qacatch2reader.cpp)
