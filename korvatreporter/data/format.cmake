# kr_data: report formats, told apart by content, each with its reader
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qareportformat.h
  ${CMAKE_CURRENT_LIST_DIR}/qareportformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareportformats.h
  ${CMAKE_CURRENT_LIST_DIR}/qareportformats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qareportreader.h
  ${CMAKE_CURRENT_LIST_DIR}/qareportreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qaxrdformat.h
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qaxrdformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qaxrdreportreader.h
  ${CMAKE_CURRENT_LIST_DIR}/xrd/qaxrdreportreader.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/junit/junit.cmake)
target_sources(kr_data PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qaxmlreportreader.h
  ${CMAKE_CURRENT_LIST_DIR}/qaxmlreportreader.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/qtest/qtest.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/catch2/catch2.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/json/json.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/results/results.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/tap/tap.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/gtest/gtest.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ctrf/ctrf.cmake)
