# Second compiler for the same 32-bit DLL: clang targeting mingw-w64, with the
# GNU toolchain's headers, libraries and linker. Used to keep the sources portable.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_SYSROOT "")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The installed GNU cross compiler (win32 thread model) tells where its libgcc
# and C++ headers are; no version folder is named here.
execute_process(COMMAND i686-w64-mingw32-g++-win32 -print-libgcc-file-name
                OUTPUT_VARIABLE DSV_MINGW_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE DSV_MINGW_RC)
if(NOT DSV_MINGW_RC EQUAL 0 OR NOT EXISTS "${DSV_MINGW_LIBGCC}")
  message(FATAL_ERROR "i686-w64-mingw32-g++-win32 is not installed (run scripts/setup)")
endif()
get_filename_component(GCC_MINGW_DIR "${DSV_MINGW_LIBGCC}" DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${GCC_MINGW_DIR}/include/c++ -isystem ${GCC_MINGW_DIR}/include/c++/i686-w64-mingw32 -isystem ${GCC_MINGW_DIR}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=bfd -L${GCC_MINGW_DIR} --gcc-toolchain=/usr")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=bfd -L${GCC_MINGW_DIR}")
