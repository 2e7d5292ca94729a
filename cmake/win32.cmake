# Windows build: the plug-in DLL, the simulated host, the tools and the Wine tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(DSV_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The plug-in's code as one static library: the DLL and the Wine tests link it.
add_library(dsv_plugin STATIC ${DSV_CORE_SOURCES} ${DSV_WIN_SOURCES})
target_include_directories(dsv_plugin PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(dsv_plugin PRIVATE ${DSV_WARNINGS})
target_compile_definitions(dsv_plugin PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
target_link_libraries(dsv_plugin PUBLIC user32 gdi32 kernel32 advapi32 winmm)

# The DLL: every object of the library, exports only as the .def file lists them.
enable_language(RC)
file(GLOB DSV_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc)
# stdcall names carry @N only on 32-bit x86; the 64-bit test build drops them.
# The build tree's copy is made at configure time: an edit of the source file
# reconfigures, and the copy is rewritten only when its text changes, which
# relinks the DLL.
set(DSV_DEF_SOURCE ${CMAKE_SOURCE_DIR}/src/plugin/dsv_view.def)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DSV_DEF_SOURCE})
file(READ ${DSV_DEF_SOURCE} DSV_DEF)
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  string(REGEX REPLACE "@[0-9]+" "" DSV_DEF "${DSV_DEF}")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/dsv_view.def.new "${DSV_DEF}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/dsv_view.def.new
                        ${CMAKE_BINARY_DIR}/dsv_view.def)
file(REMOVE ${CMAKE_BINARY_DIR}/dsv_view.def.new)
add_library(dsv_view SHARED ${CMAKE_BINARY_DIR}/dsv_view.def ${DSV_RESOURCES})
set_target_properties(dsv_view PROPERTIES PREFIX "" SUFFIX ".dsv" LINKER_LANGUAGE CXX)
target_link_libraries(dsv_view PRIVATE -Wl,--whole-archive dsv_plugin -Wl,--no-whole-archive)
target_link_options(dsv_view PRIVATE ${DSV_STATIC_LINK} -Wl,--kill-at -Wl,--dynamicbase,--nxcompat)

# A build of the DLL alone (the second-compiler check) stops here.
option(DSV_DLL_ONLY "Build only the plug-in DLL" OFF)
if(DSV_DLL_ONLY)
  return()
endif()

# GoogleTest, cross-compiled.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The win32 thread model has no std::mutex: GoogleTest and the tests get one from
# Windows' slim locks.
target_compile_options(gtest PUBLIC -include ${CMAKE_SOURCE_DIR}/cmake/gtest_win32_threads.h)

# Tools: one program per folder under tools/.
file(GLOB DSV_TOOL_DIRS CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tools/*)
foreach(dir ${DSV_TOOL_DIRS})
  if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()

# Wine test support and one test program per file under tests/wine.
file(GLOB DSV_WINE_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(dsv_wine_support STATIC ${DSV_WINE_SUPPORT})
# The menu helpers are the simulated host's (tools/host/popup_menu_win.h).
target_include_directories(dsv_wine_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine/support ${CMAKE_SOURCE_DIR}/tools/host)
target_link_libraries(dsv_wine_support PUBLIC dsv_plugin GTest::gtest)
target_compile_definitions(dsv_wine_support PUBLIC DSV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(DSV_WINE wine)
else()
  set(DSV_WINE /usr/lib/wine/wine64)
endif()
set(DSV_WINE_PREFIX ${CMAKE_SOURCE_DIR}/build/wineprefix CACHE PATH "Wine prefix of the tests")
set(DSV_WINE_ENV "WINEDEBUG=-all" "WINEPREFIX=${DSV_WINE_PREFIX}")
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND DSV_WINE_ENV "WINELOADER=/usr/lib/wine/wine64")
endif()
add_test(NAME wine_up COMMAND sh -c "wineserver -p </dev/null >/dev/null 2>&1; ${DSV_WINE} cmd /c exit </dev/null >/dev/null 2>&1")
set_tests_properties(wine_up PROPERTIES FIXTURES_SETUP WINE ENVIRONMENT "${DSV_WINE_ENV}")
add_test(NAME wine_down COMMAND sh -c "wineserver -k; true")
set_tests_properties(wine_down PROPERTIES FIXTURES_CLEANUP WINE ENVIRONMENT "${DSV_WINE_ENV}")

# Nothing of the plug-in's own code may throw or reach the throwing operator new:
# in a host short of memory the runtime cannot throw and ends the process.
add_test(NAME plugin_throws_nothing
         COMMAND sh -c "! ${CMAKE_NM} -u -A $<TARGET_FILE:dsv_plugin> | grep -E '__cxa_(throw|rethrow|allocate_exception)|_Zn[wa][jmy]|_ZSt[0-9]+__throw_'")

# A test file may name its environment in a first-line comment: "// ctest-env: LC_ALL=ja_JP.UTF-8".
file(GLOB DSV_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
foreach(src ${DSV_WINE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE dsv_wine_support GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${DSV_WARNINGS})
  target_link_options(${name} PRIVATE ${DSV_STATIC_LINK})
  add_dependencies(${name} dsv_view)
  file(STRINGS ${src} env_line LIMIT_COUNT 1 REGEX "^// ctest-env: ")
  set(env ${DSV_WINE_ENV})
  if(env_line)
    string(REGEX REPLACE "^// ctest-env: " "" extra "${env_line}")
    separate_arguments(extra)
    list(APPEND env ${extra})
  endif()
  add_test(NAME wine.${name} COMMAND ${DSV_WINE} $<TARGET_FILE:${name}> WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED WINE ENVIRONMENT "${env}" TIMEOUT 600)
endforeach()

# Release package: dsv_view-<version>-win32.zip with the plug-in, the sample
# settings and skin, the simulated host and the references.
install(TARGETS dsv_view RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/dsv_view.ini DESTINATION samples)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/settings.md ${CMAKE_SOURCE_DIR}/docs/host.md
        DESTINATION docs OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/docs/skins.md ${CMAKE_SOURCE_DIR}/docs/stream.md ${CMAKE_SOURCE_DIR}/docs/stream_overlay.html
        DESTINATION docs OPTIONAL)
if(TARGET dsv_host)
  install(TARGETS dsv_host RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/sample/ DESTINATION samples/skin OPTIONAL)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME dsv_view)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win32)
set(CPACK_PACKAGE_FILE_NAME "dsv_view-${PROJECT_VERSION}-win32")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/out/package)
include(CPack)
