# bench: reader
add_executable(bench_reader ${CMAKE_CURRENT_LIST_DIR}/bench_reader.cpp)
target_link_libraries(bench_reader PRIVATE kr_data bench_support)
