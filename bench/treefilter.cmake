# bench: the tree filter line answering keystrokes on a 100,000-case tree
add_executable(bench_treefilter ${CMAKE_CURRENT_LIST_DIR}/bench_treefilter.cpp)
target_link_libraries(bench_treefilter PRIVATE kr_window Qt6::Widgets)
