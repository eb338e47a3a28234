# tests of kr_data: report node tree and file record
korvat_add_test(tst_qtree SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qtree.cpp LIBS kr_data)
korvat_add_test(tst_qareporternodeid SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qareporternodeid.cpp LIBS kr_data)
korvat_add_test(tst_qareportertext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qareportertext.cpp LIBS kr_data)
