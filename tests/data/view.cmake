# tests of kr_data: report tree view
korvat_add_test(tst_qarlistview SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qarlistview.cpp LIBS kr_data)
