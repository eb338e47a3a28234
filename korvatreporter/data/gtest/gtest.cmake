# kr_data: GoogleTest JSON results
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qagtestformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qagtestformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qagtestreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qagtestreader.h)
