// Common definitions of the application framework: the export macro and the platform types.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
// A native build (sanitizers, fuzzing) of the string, array and exception types and of the
// content model needs only these few platform types.
//
// wchar_t keeps the host's 32 bits there. Compiling with a 16-bit wchar_t (-fshort-wchar) would
// make every L"" literal and std::wstring disagree with the C library and the C++ runtime the
// program links (wcslen, wcstod, towlower and the wstring code in libstdc++ all read 4-byte
// characters), which is the very kind of fault the native build exists to find. So the code
// holds one character in one wchar_t, and nothing may rely on a wchar_t being 16 bits: the same
// text is UTF-16 code units on Windows and UTF-32 natively.
#include <cstdint>
typedef int BOOL;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef int32_t LONG;
typedef int32_t HRESULT;
typedef int32_t SCODE;
typedef wchar_t WCHAR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPWSTR;
typedef void* HINSTANCE;
typedef void* HMODULE;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#endif

#include <cstddef>

typedef wchar_t TCHAR;
typedef const wchar_t* LPCTSTR;
typedef wchar_t* LPTSTR;

#if defined(_WIN32) && !defined(QLN_FRAMEWORK_STATIC)
#ifdef QLN_BUILDING_FRAMEWORK
#define AFX_CORE_API __declspec(dllexport)
#else
#define AFX_CORE_API __declspec(dllimport)
#endif
#else
#define AFX_CORE_API
#endif
