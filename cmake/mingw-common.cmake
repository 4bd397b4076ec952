# The -posix compilers: the win32 thread model has no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${QLN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QLN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QLN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QLN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# How the compiler's run-time (libgcc, libstdc++, winpthreads) is linked; QLNRuntime.cmake says why
# each tool chain links it as it does.
if(QLN_SHARED_RUNTIME)
  # One copy of the unwinder and the C++ run-time for every module of the process, as DLLs that
  # the build places beside the modules.
  set(QLN_RUNTIME_LINK_FLAGS "-shared-libgcc")
else()
  # Each module carries its own copy: nothing but the system's DLLs is needed.
  set(QLN_RUNTIME_LINK_FLAGS "-static")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${QLN_RUNTIME_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${QLN_RUNTIME_LINK_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${QLN_RUNTIME_LINK_FLAGS}")
# Tests and tools run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
