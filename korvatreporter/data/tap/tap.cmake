# kr_data: TAP test results
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qatapformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qatapformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qatapreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qatapreader.h)
