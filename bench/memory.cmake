# bench_memory: heap bytes of each part of an open report.
add_executable(bench_memory ${CMAKE_CURRENT_LIST_DIR}/bench_memory.cpp)
target_link_libraries(bench_memory PRIVATE kr_window kr_document kr_data rendoc Qt6::Widgets)
set_target_properties(bench_memory PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
