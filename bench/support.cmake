# bench_support: report generation and timing helpers shared by the benchmarks.
add_library(bench_support STATIC ${CMAKE_CURRENT_LIST_DIR}/benchsupport.cpp)
target_link_libraries(bench_support PUBLIC Qt6::Core EXPAT::EXPAT)
target_include_directories(bench_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
