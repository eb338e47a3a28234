# xrdgen: standalone generator of large and deeply nested XRD reports for
# benchmarks and stress tests. Plain C++, no Qt.
add_executable(xrdgen ${CMAKE_CURRENT_LIST_DIR}/xrdgen.cpp)
set_target_properties(xrdgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
