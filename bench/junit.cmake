# bench: JUnit results, open to first paint against a bare parse
add_executable(bench_junit ${CMAKE_CURRENT_LIST_DIR}/bench_junit.cpp)
target_link_libraries(bench_junit PRIVATE kr_window Qt6::Widgets)
add_dependencies(bench_junit junitgen)
