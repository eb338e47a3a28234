# bench: the results store with 200 runs of 10,000 tests, on SQLite and on a throwaway
# PostgreSQL server (the tests' server starter, so it is built only with the tests).
if(TARGET korvat_testpostgres)
  add_executable(bench_history ${CMAKE_CURRENT_LIST_DIR}/bench_history.cpp ${CMAKE_CURRENT_LIST_DIR}/historybenchsetup.cpp)
  target_link_libraries(bench_history PRIVATE korvathistory korvat_testpostgres)
endif()

# bench: --record and --compare of xrdview on a large report against L, on SQLite and PostgreSQL.
if(TARGET korvat_testpostgres)
  add_executable(bench_historycli ${CMAKE_CURRENT_LIST_DIR}/bench_historycli.cpp
    ${CMAKE_CURRENT_LIST_DIR}/historybenchsetup.cpp)
  target_link_libraries(bench_historycli PRIVATE bench_support korvat_testpostgres)
  add_dependencies(bench_historycli xrdview xrdgen)
endif()

# bench: candidates for the content hash of recorded reports on one large file.
add_executable(bench_contenthash ${CMAKE_CURRENT_LIST_DIR}/bench_contenthash.cpp)
target_link_libraries(bench_contenthash PRIVATE korvathistory)
