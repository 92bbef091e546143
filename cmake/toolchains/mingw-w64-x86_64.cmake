# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads variant, which
# std::thread and std::mutex need). Programs link statically, so Wine or a Windows machine runs
# them without the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMAR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMAR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMAR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMAR_MINGW_TRIPLE}-windres)

# Libraries and packages come from the target's own tree only: the build machine's would link
# but not run.
set(CMAKE_FIND_ROOT_PATH /usr/${VELMAR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest, gtest_discover_tests and build steps that run a program of ours run it through Wine.
find_program(VELMAR_WINE wine)
if(VELMAR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMAR_WINE})
endif()
