# bench: view
add_executable(bench_view ${CMAKE_CURRENT_LIST_DIR}/bench_view.cpp)
target_link_libraries(bench_view PRIVATE kr_data rendoc Qt6::Widgets)
