# bench: report tree model and view filling
add_executable(bench_treeview ${CMAKE_CURRENT_LIST_DIR}/bench_treeview.cpp)
target_link_libraries(bench_treeview PRIVATE kr_window Qt6::Widgets)
