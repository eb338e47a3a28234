# kr_data: JUnit XML results
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qajunitformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qajunitformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajunitreader.h
  ${CMAKE_CURRENT_LIST_DIR}/qajunitreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajunitdocumentbuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/qajunitdocumentbuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajunitframescanner.h
  ${CMAKE_CURRENT_LIST_DIR}/qajunitframescanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qajunittracelinks.h
  ${CMAKE_CURRENT_LIST_DIR}/qajunittracelinks.cpp)
