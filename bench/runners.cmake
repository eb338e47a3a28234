# bench: the runners' own formats (TAP, GoogleTest JSON, CTRF JSON), reading
# and open to first paint against the bare parse of a same-sized XRD file
add_executable(bench_runners ${CMAKE_CURRENT_LIST_DIR}/bench_runners.cpp)
target_link_libraries(bench_runners PRIVATE kr_window bench_support Qt6::Widgets)
add_dependencies(bench_runners runnergen xrdgen)
