# The main window driven offscreen (included from CMakeLists.txt; kept apart from the core
# benchmarks).
find_package(benchmark REQUIRED)
add_executable(tgsim_window_bench ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp)
target_link_libraries(tgsim_window_bench PRIVATE tgsim_window Qt6::Test benchmark::benchmark)
