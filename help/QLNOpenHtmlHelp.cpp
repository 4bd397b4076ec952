#include "QLNOpenHtmlHelp.h"

#include "QLNHelpFileLocator.h"
#include "QLNHtmlHelpFunction.h"
#include "QLNIssueComError.h"
#include "QLNStartHelpViewer.h"

#include "CString.h"

#include <htmlhelp.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// Any context the system offers: the locator is installed with the data system, not with us.
const DWORD g_locatorContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER
                               | CLSCTX_REMOTE_SERVER;

// Process-wide and never destroyed: the control stays loaded for the life of the process, and
// unloading it from our own DLL_PROCESS_DETACH would mean calling the loader under its lock.
CQLNHtmlHelpFunction& HtmlHelpFunction()
{
    static CQLNHtmlHelpFunction* const s_pFunction = new CQLNHtmlHelpFunction;
    return *s_pFunction;
}

} // namespace

void OpenHtmlHelp(HWND owner, DWORD contextId)
{
    QLNOpenHtmlHelpViewer(owner, contextId);
}

HWND QLNOpenHtmlHelpViewer(HWND owner, DWORD contextId, CString* pHelpFile)
{
    CString helpFile;
    ComPtr<IQLNHelpFileLocator> locator;
    if (SUCCEEDED(::CoCreateInstance(CLSID_QLNHelpFileLocator, nullptr, g_locatorContext,
                                     IID_IQLNHelpFileLocator,
                                     reinterpret_cast<void**>(locator.GetAddressOf())))) {
        BSTR path = nullptr;
        const HRESULT hr = locator->GetHelpFilePath(&path);
        if (FAILED(hr)) {
            ::SysFreeString(path);
            QLNIssueComError(hr, locator.Get(), IID_IQLNHelpFileLocator);
        }
        helpFile = path;
        ::SysFreeString(path);
    }
    if (pHelpFile != nullptr)
        *pHelpFile = helpFile;
    // The system's own control is not called in this process but through its viewer program,
    // which makes the same request (HH_HELP_CONTEXT with the file and the context) in a process
    // of its own. Wine's viewer, and its reader of the help file, fault in the calling process
    // shortly after opening when the HTML engine is missing; in process that would end the
    // report host with the user's unsaved work. The viewer then has no owner window.
    CQLNHtmlHelpFunction& function = HtmlHelpFunction();
    if (function.IsSystemControl() && QLNHasHelpViewerProgram())
        return QLNStartHelpViewer(helpFile.GetString(), contextId);
    return function.Call(owner, helpFile.GetString(), HH_HELP_CONTEXT, contextId);
}
