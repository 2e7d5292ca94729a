# Native build: the window-free logic under sanitizers, its unit tests,
# the fuzz targets and the benchmarks.
set(DSV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(dsv_core STATIC ${DSV_CORE_SOURCES} ${DSV_NATIVE_SOURCES})
target_include_directories(dsv_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(dsv_core PRIVATE ${DSV_WARNINGS} ${DSV_SANITIZE})
target_link_options(dsv_core PUBLIC ${DSV_SANITIZE})

# The simulated host's window-free parts, which the host tests exercise.
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/host ${CMAKE_BINARY_DIR}/tools/host)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One test program per file under tests/native.
file(GLOB DSV_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
foreach(src ${DSV_NATIVE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE dsv_host_core dsv_core GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${DSV_WARNINGS} ${DSV_SANITIZE})
  target_compile_definitions(${name} PRIVATE DSV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME native.${name} COMMAND ${name})
endforeach()

# The layers under src/ include only downwards (see the top CMakeLists.txt).
add_test(NAME native.include_layers
         COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)

# Fuzz targets (clang only): one program per file under tests/fuzz.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  file(GLOB DSV_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(src ${DSV_FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${DSV_CORE_SOURCES} ${DSV_NATIVE_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE -O2 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

# Benchmarks: optimised, no sanitizers.
file(GLOB DSV_NATIVE_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
foreach(src ${DSV_NATIVE_BENCH})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${DSV_CORE_SOURCES} ${DSV_NATIVE_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE -O2)
endforeach()
