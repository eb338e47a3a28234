# bench_gui: the real xrdview window offscreen on a large report, timed
# through a probe preloaded into it, against a bare Qt XML pass.
add_library(bench_gui_probe MODULE ${CMAKE_CURRENT_LIST_DIR}/bench_gui_probe.cpp)
target_link_libraries(bench_gui_probe PRIVATE Qt6::Widgets ${CMAKE_DL_LIBS})
set_target_properties(bench_gui_probe PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_executable(bench_gui ${CMAKE_CURRENT_LIST_DIR}/bench_gui.cpp)
target_link_libraries(bench_gui PRIVATE Qt6::Core bench_support)
target_compile_definitions(bench_gui PRIVATE
  BENCH_GUI_PROBE="$<TARGET_FILE:bench_gui_probe>")
set_target_properties(bench_gui PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
add_dependencies(bench_gui bench_gui_probe xrdgen xrdview)
