# The framework core's sources, read by the Windows build (framework/CMakeLists.txt) and by the
# native builds (cmake/NativeCore.cmake). The platform-free ones build with any C++17 compiler;
# the others need the Windows API and COM.
set(QLN_AFX_CORE_PLATFORM_FREE_SOURCES
    CObject.cpp CException.cpp CInvalidArgException.cpp CMemoryException.cpp CUserException.cpp
    COleException.cpp COleDispatchException.cpp CString.cpp)
set(QLN_AFX_CORE_WINDOWS_SOURCES
    AFX_MODULE_STATE.cpp AfxCoerceColor.cpp AfxFontAsGiven.cpp AfxGuardEntry.cpp CCmdTarget.cpp
    CDynLinkLibrary.cpp)
