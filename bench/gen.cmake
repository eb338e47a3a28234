# xrdgen: standalone generator of large and deeply nested XRD reports for
# benchmarks and stress tests. Plain C++, no Qt.
add_executable(xrdgen ${CMAKE_CURRENT_LIST_DIR}/xrdgen.cpp)
set_target_properties(xrdgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
# junitgen: the same for JUnit XML results.
add_executable(junitgen ${CMAKE_CURRENT_LIST_DIR}/junitgen.cpp)
set_target_properties(junitgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
# runnergen: synthetic runner outputs (Qt Test xml and lightxml, Catch2 XML, TAP,
# GoogleTest JSON, CTRF JSON) of a given number of cases.
add_executable(runnergen ${CMAKE_CURRENT_LIST_DIR}/runnergen.cpp)
set_target_properties(runnergen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
