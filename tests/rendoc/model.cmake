# tests of rendoc: model
korvat_add_test(tst_ditem SOURCES tst_ditem.cpp LIBS rendoc)
