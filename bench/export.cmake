# bench_export: the full HTML export of a large generated report against the time to read it.
add_executable(bench_export ${CMAKE_CURRENT_LIST_DIR}/bench_export.cpp)
target_link_libraries(bench_export PRIVATE kr_export kr_data bench_support)
set_target_properties(bench_export PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_dependencies(bench_export xrdgen)
