# bench: the runners' formats, reading linearity and open to first paint
# against an XRD report of the same size
add_executable(bench_formats ${CMAKE_CURRENT_LIST_DIR}/bench_formats.cpp)
target_link_libraries(bench_formats PRIVATE kr_window bench_support Qt6::Widgets)
add_dependencies(bench_formats runnergen xrdgen)
