# Cross-compiling tool chain: 32-bit Windows binaries, the platform the library first ran on.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QLN_TRIPLE i686-w64-mingw32)
# This tool chain unwinds with DWARF tables through libgcc's unwinder: exceptions cross modules
# only when every module shares one unwinder, the DLL. These DLLs go beside the modules.
set(QLN_SHARED_RUNTIME ON)
set(QLN_RUNTIME_DLL_NAMES libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
