// Module state: the module whose code is running.
//
// Every module that uses the framework (the program, each report-object library, the base
// library) has a state of its own: its instance handle, the module its resources are loaded
// from, its class factories and its count of live objects and server locks. One state is
// current on each thread. While a control's code runs for a client (its class factory,
// dispatch, window procedure, persistence, drawing) the framework makes the control's state
// current, so that whatever it loads by identifier comes from its own module first and never
// from the program that hosts it.
#pragma once
#include "Afx.h"

class COleObjectFactory;

// Frees the resource-chain links made for the module hOwner (see CDynLinkLibrary).
AFX_CORE_API void AfxFreeLinksOwnedBy(HMODULE hOwner);

struct AFX_MODULE_STATE
{
    explicit AFX_MODULE_STATE(HINSTANCE hInstance)
        : m_hCurrentInstanceHandle(hInstance), m_hCurrentResourceHandle(hInstance)
    {
    }
    // A module's state ends as the module unloads: the links made for it go with it, so that a
    // library loaded and unloaded again and again leaves the chain as it found it.
    ~AFX_MODULE_STATE() { AfxFreeLinksOwnedBy(m_hCurrentInstanceHandle); }

    // Counts live objects and server locks; the module may unload when none is left.
    void LockModule(BOOL bLock)
    {
        if (bLock)
            ::InterlockedIncrement(&m_nObjectCount);
        else
            ::InterlockedDecrement(&m_nObjectCount);
    }

    HINSTANCE m_hCurrentInstanceHandle;
    // Searched first for strings and dialog templates; the module itself unless redirected.
    HINSTANCE m_hCurrentResourceHandle;
    // The module's class factories, newest first (see COleObjectFactory).
    COleObjectFactory* m_pFactoryList = nullptr;
    LONG m_nObjectCount = 0;

    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;
};

// The state current on this thread: the program's until a module's code makes its own current.
AFX_CORE_API AFX_MODULE_STATE* AfxGetModuleState();
// The program's state, current whenever no module has made its own current.
AFX_CORE_API AFX_MODULE_STATE* AfxGetAppModuleState();
// Makes pState current on this thread (null: the program's) and returns what was current before,
// for giving back; AFX_MANAGE_STATE does both.
AFX_CORE_API AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState);

// The linker's symbol for the start of the module's image, which is its instance handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;

// The calling module's own state. The function is inline and not exported, so every module
// compiles its own copy, and with it a static state of its own: a library has its state without
// writing code. A default argument of this call is evaluated in the caller's module, which is how
// a static class factory learns the module it belongs to.
inline AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE state(reinterpret_cast<HINSTANCE>(&__ImageBase));
    return &state;
}
