// Export macros of QLNBase.dll: classes for the report-object libraries that derive from
// them, and free functions under their plain, undecorated names.
#pragma once
#include "Afx.h"

#if !defined(_WIN32)
// A native build links the platform-free parts statically into its program.
#define QLN_BASE_API
#elif defined(QLN_BUILDING_BASE)
#define QLN_BASE_API __declspec(dllexport)
#else
#define QLN_BASE_API __declspec(dllimport)
#endif

#define QLN_BASE_EXTERN_C extern "C" QLN_BASE_API
