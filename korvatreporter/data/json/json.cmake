# kr_data: a streaming JSON reader over a file's bytes
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qajsonfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajsonfile.h
  ${CMAKE_CURRENT_LIST_DIR}/qajsonpullreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajsonpullreader.h)
# kr_data: the frame of the JSON results readers
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qajsonreportreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajsonreportreader.h)
