# bench_saveas: the line-by-line copy of save-as against a plain file copy.
add_executable(bench_saveas ${CMAKE_CURRENT_LIST_DIR}/bench_saveas.cpp)
target_link_libraries(bench_saveas PRIVATE kr_export bench_support)
set_target_properties(bench_saveas PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_dependencies(bench_saveas xrdgen)
