# bench: durations over a 100,000-case tree (totals, sorting, slowest tests)
add_executable(bench_durations ${CMAKE_CURRENT_LIST_DIR}/bench_durations.cpp)
target_link_libraries(bench_durations PRIVATE kr_window)
