# Read258 and Write258 against quillon-phone at 300 bit/s and the program's tick.
add_executable(bench_engine ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
target_link_libraries(bench_engine PRIVATE quillon_app)
if(TARGET quillon-phone)
  add_dependencies(bench_engine quillon-phone)
  target_compile_definitions(bench_engine PRIVATE QUILLON_PHONE_PATH="$<TARGET_FILE:quillon-phone>")
endif()
