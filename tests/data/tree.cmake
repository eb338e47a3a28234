# tests of kr_data: report node tree
korvat_add_test(tst_qtree SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qtree.cpp LIBS kr_data)
korvat_add_test(tst_qareporterdata SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qareporterdata.cpp LIBS kr_data)
