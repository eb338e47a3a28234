# tests of rendoc: model
korvat_add_test(tst_ditem SOURCES tst_ditem.cpp LIBS rendoc)
korvat_add_test(tst_dlink SOURCES tst_dlink.cpp LIBS rendoc)
korvat_add_test(tst_diterator SOURCES tst_diterator.cpp LIBS rendoc)
korvat_add_test(tst_dupdater SOURCES tst_dupdater.cpp LIBS rendoc)
