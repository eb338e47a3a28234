# bench_bookkeeping: per-item bookkeeping (types, missing links, link spellings) at n and 10 n.
add_executable(bench_bookkeeping ${CMAKE_CURRENT_LIST_DIR}/bench_bookkeeping.cpp)
target_link_libraries(bench_bookkeeping PRIVATE kr_session kr_export kr_data bench_support)
set_target_properties(bench_bookkeeping PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
