# The content layer's sources, read by the Windows build (content/CMakeLists.txt) and by the
# native builds (cmake/NativeCore.cmake). The platform-free ones build with any C++17 compiler;
# the font conversion needs the platform's font object.
set(QLN_CONTENT_PLATFORM_FREE_SOURCES
    QLNStringTokenizer.cpp QLNDefaultText.cpp QLNConvertStringToDouble.cpp QLNLibraryString.cpp
    QLNTextFieldLines.cpp)
set(QLN_CONTENT_WINDOWS_SOURCES QLNFontConversion.cpp)
