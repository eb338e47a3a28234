# tests of rendoc: aml
korvat_add_test(tst_damlreader SOURCES tst_damlreader.cpp LIBS rendoc)
korvat_add_test(tst_dstyleserialize SOURCES tst_dstyleserialize.cpp LIBS rendocstyleres)
