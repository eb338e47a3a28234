# bench_filter: failed-only copy of a large generated report against the time
# to read it.
add_executable(bench_filter ${CMAKE_CURRENT_LIST_DIR}/bench_filter.cpp)
target_link_libraries(bench_filter PRIVATE kr_document kr_data bench_support)
set_target_properties(bench_filter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_dependencies(bench_filter xrdgen)
