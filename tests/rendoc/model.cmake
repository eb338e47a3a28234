# tests of rendoc: model
korvat_add_test(tst_ditem SOURCES tst_ditem.cpp LIBS rendoc)
korvat_add_test(tst_dpool SOURCES tst_dpool.cpp LIBS rendoc)
korvat_add_test(tst_dutf8string SOURCES tst_dutf8string.cpp LIBS rendoc)
