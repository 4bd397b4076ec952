# The -posix compilers: the win32 thread model has no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${QLN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QLN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QLN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QLN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Fully static runtime: Wine refuses a module that still needs libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
# Tests and tools run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
