# quillon-cli's series on one port and on four at once against quillon-phone at 300 bit/s.
add_executable(bench_series_lanes ${CMAKE_CURRENT_LIST_DIR}/series_lanes_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/LineBound.h)
target_link_libraries(bench_series_lanes PRIVATE quillon_cli_core)
if(TARGET quillon-phone)
  add_dependencies(bench_series_lanes quillon-phone quillon-cli)
  target_compile_definitions(bench_series_lanes PRIVATE QUILLON_PHONE_PATH="$<TARGET_FILE:quillon-phone>"
                                                        QUILLON_CLI_PATH="$<TARGET_FILE:quillon-cli>")
endif()
