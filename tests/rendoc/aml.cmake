# tests of rendoc: aml
korvat_add_test(tst_damlreader SOURCES tst_damlreader.cpp LIBS rendoc rendocstyleres)
korvat_add_test(tst_damleventqueue SOURCES tst_damleventqueue.cpp LIBS rendoc)
