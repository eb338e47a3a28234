# tests of rendoc: view
korvat_add_test(tst_drendocview SOURCES tst_drendocview.cpp LIBS rendoc korvat_testsupport)
korvat_add_test(tst_dviewitemindex SOURCES tst_dviewitemindex.cpp LIBS rendoc)
korvat_add_test(tst_dviewfenwick SOURCES tst_dviewfenwick.cpp LIBS rendoc)
