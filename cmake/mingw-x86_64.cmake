# Cross-compiling tool chain: 64-bit Windows binaries from Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QLN_TRIPLE x86_64-w64-mingw32)
# Exceptions unwind through the system's tables (SEH), which every module shares however it is
# linked: the modules link the run-time statically and need no DLL of the compiler's.
set(QLN_SHARED_RUNTIME OFF)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
