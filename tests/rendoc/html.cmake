# tests of rendoc: html
korvat_add_test(tst_dhtmlwriter
  SOURCES tst_dhtmlwriter.cpp
  LIBS rendoc korvat_testsupport)

korvat_add_test(tst_dhtmllinks
  SOURCES tst_dhtmllinks.cpp
  LIBS rendoc)

korvat_add_test(tst_dhtmlitemmap
  SOURCES tst_dhtmlitemmap.cpp
  LIBS rendoc)

korvat_add_test(tst_dhtmloutput
  SOURCES tst_dhtmloutput.cpp
  LIBS rendoc)
