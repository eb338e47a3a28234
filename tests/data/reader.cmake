# tests of kr_data: reader
korvat_add_test(tst_qastxmlrodreader SOURCES tst_qastxmlrodreader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_qareporterloader SOURCES tst_qareporterloader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_junitreader SOURCES tst_junitreader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_qtestreader SOURCES tst_qtestreader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_catch2reader SOURCES tst_catch2reader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_tapreader SOURCES tst_tapreader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_gtestreader SOURCES tst_gtestreader.cpp LIBS kr_data korvat_testsupport)
korvat_add_test(tst_ctrfreader SOURCES tst_ctrfreader.cpp LIBS kr_data korvat_testsupport)
