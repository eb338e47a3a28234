# kr_data: report node tree
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qtree.h
  ${CMAKE_CURRENT_LIST_DIR}/qtreechildren.h
  ${CMAKE_CURRENT_LIST_DIR}/qtreeiterator.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporternode.h
  ${CMAKE_CURRENT_LIST_DIR}/qareportertext.h
  ${CMAKE_CURRENT_LIST_DIR}/qareportertext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporternode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporterdatatree.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterdatatree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareporterdata.h
  ${CMAKE_CURRENT_LIST_DIR}/qareporterdata.cpp)
