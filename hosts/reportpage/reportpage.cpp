// reportpage: the report page host. It places report objects on a page and lets a person move,
// resize and edit them, in place or through their own sheets, and save the page as a compound
// file; from the command line it builds, resolves, lists, pictures and prints pages.
#include "CQLNConsoleOutput.h"
#include "CQLNInsertDialog.h"
#include "CQLNPageObject.h"
#include "CQLNPageOptions.h"
#include "CQLNPagePrinter.h"
#include "CQLNPageWindow.h"
#include "CQLNReportPage.h"
#include "CQLNReportPageTools.h"
#include "CQLNReplacingFile.h"
#include "CQLNReportResolver.h"
#include "CQLNResultBatch.h"
#include "CQLNResultSequence.h"
#include "CQLNTextObjError.h"
#include "QLNEnhMetaFilePng.h"

#include <ole2.h>

namespace {

int Fail(const std::wstring& message)
{
    CQLNConsoleOutput::Write(STD_ERROR_HANDLE, L"reportpage: " + message + L"\r\n");
    return 1;
}

// What opening the page changed to show it; the work goes on.
void Warn(const std::wstring& message)
{
    if (!message.empty())
        CQLNConsoleOutput::Write(STD_ERROR_HANDLE, L"reportpage: warning: " + message + L"\r\n");
}

// Inserts and the paper apply to a page in a window as to one on the command line; a window
// shows a resolved page as a preview of its own.
bool Prepare(CQLNReportPage& page, CQLNPageContainer* pContainer, const CQLNPageOptions& options,
             const CQLNReportResolver* pResolver, std::wstring& error)
{
    if (!options.m_strPaper.empty() || options.m_bLandscape)
        page.SetPaper(options.m_strPaper == L"letter" ? CQLNReportPage::Paper::Letter
                      : options.m_strPaper == L"a4"   ? CQLNReportPage::Paper::A4
                                                      : page.GetPaper(),
                      options.m_bLandscape);
    std::vector<std::wstring> names = options.m_inserts;
    if (options.m_bInsertAll)
        for (const CQLNReportClasses::Entry& entry : CQLNReportClasses::All()) {
            wchar_t sz[40] = {};
            ::StringFromGUID2(entry.clsid, sz, 40);
            names.push_back(sz);
        }
    for (const std::wstring& name : names)
        if (!CQLNReportPageTools::InsertByName(page, pContainer, name, error))
            return false;
    return pResolver == nullptr || CQLNReportPageTools::Resolve(page, *pResolver, error);
}

int RunBatch(const CQLNPageOptions& options, const CQLNReportResolver* pResolver)
{
    std::wstring error;
    CQLNReportPage page(nullptr);
    const bool bExists = !options.m_strPage.empty() && ::GetFileAttributesW(options.m_strPage.c_str()) != INVALID_FILE_ATTRIBUTES;
    if ((bExists || (options.m_inserts.empty() && !options.m_bInsertAll)) && !page.Load(options.m_strPage, error))
        return Fail(error);
    Warn(page.TakeLoadNote());
    if (!Prepare(page, nullptr, options, pResolver, error))
        return Fail(error);
    if (!options.m_strSave.empty() && !page.Save(options.m_strSave, error))
        return Fail(error);
    if (options.m_bList)
        CQLNConsoleOutput::Write(STD_OUTPUT_HANDLE, CQLNReportPageTools::List(page));
    if (!options.m_strPng.empty() &&
        !CQLNReportPageTools::WritePng(page, options.m_nZoom != 0 ? options.m_nZoom : 100, options.m_strPng, error))
        return Fail(error);
    const std::wstring& data = options.m_strResolve;
    const std::wstring dataName = pResolver != nullptr ? data.substr(data.find_last_of(L"\\/") + 1) : std::wstring();
    if (!options.m_strPdf.empty() && !CQLNPagePrinter::WritePdf(page, options.m_strPdf, error, dataName))
        return Fail(error);
    return 0;
}

// One report per result, all in one PDF through one print job. A result that cannot be read
// leaves its report out and the others print; a summary at the end names it and the exit code
// is 1.
int RunSequence(const CQLNPageOptions& options)
{
    std::wstring error;
    std::vector<std::wstring> files;
    if (!CQLNResultSequence::Expand(options.m_results, files, error))
        return Fail(error);
    CQLNReportPage page(nullptr);
    const bool bExists = !options.m_strPage.empty() && ::GetFileAttributesW(options.m_strPage.c_str()) != INVALID_FILE_ATTRIBUTES;
    if ((bExists || (options.m_inserts.empty() && !options.m_bInsertAll)) && !page.Load(options.m_strPage, error))
        return Fail(error);
    Warn(page.TakeLoadNote());
    if (!Prepare(page, nullptr, options, nullptr, error))
        return Fail(error);

    std::vector<std::wstring> failures;
    const std::wstring total = std::to_wstring(files.size());
    CQLNResultBatch data(files);
    const CQLNPagePrinter::Sequence sequence = {files.size(), [&](size_t n, std::wstring& dataName) {
        CQLNConsoleOutput::Write(STD_OUTPUT_HANDLE, L"report " + std::to_wstring(n + 1) + L" of " + total + L": " + files[n] + L"\r\n");
        CQLNReportResolver resolver;
        std::wstring why;
        if (data.Load(n, resolver, why) && CQLNReportPageTools::Resolve(page, resolver, why)) {
            dataName = files[n].substr(files[n].find_last_of(L"\\/") + 1);
            return true;
        }
        // The messages of a result that cannot be read name it already.
        failures.push_back(why.find(files[n]) != std::wstring::npos ? why : files[n] + L": " + why);
        CQLNConsoleOutput::Write(STD_ERROR_HANDLE, L"reportpage: left out: " + failures.back() + L"\r\n");
        return false;
    }};
    const bool bPrinted = CQLNPagePrinter::WritePdf(page, options.m_strPdf, error, sequence);
    const size_t nPrinted = bPrinted ? files.size() - failures.size() : 0;
    std::wstring summary = L"printed " + std::to_wstring(nPrinted) + L" of " + total + L" reports" +
                           (bPrinted ? L" into " + options.m_strPdf : std::wstring()) + L"\r\n";
    if (!failures.empty()) {
        summary += L"not printed (" + std::to_wstring(failures.size()) + L"):\r\n";
        for (const std::wstring& failure : failures)
            summary += L"  " + failure + L"\r\n";
    }
    CQLNConsoleOutput::Write(STD_OUTPUT_HANDLE, summary);
    if (!bPrinted)
        return Fail(error);
    return failures.empty() ? 0 : 1;
}

// Object n of the page, counted from 1, active in place as Enter makes it.
bool Activate(CQLNPageWindow& window, int n, std::wstring& error)
{
    const auto& objects = window.Page().Objects();
    if (static_cast<size_t>(n) > objects.size()) {
        error = L"there is no object " + std::to_wstring(n) + L" on the page; it has " + std::to_wstring(objects.size());
        return false;
    }
    if (!window.ActivateInPlace(*objects[static_cast<size_t>(n) - 1].Get(), error)) {
        error = L"object " + std::to_wstring(n) + L": " + error;
        return false;
    }
    return true;
}

// Handles what the window and the object active in place have been sent (sizes, focus, paints)
// so that the picture shows them settled; a queue that never empties is given up on.
void Settle(CQLNPageWindow& window)
{
    const ULONGLONG end = ::GetTickCount64() + 3000;
    MSG msg;
    while (::GetTickCount64() < end && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (window.PreTranslate(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool Shoot(CQLNPageWindow& window, const std::wstring& path, std::wstring& error)
{
    // Brought to the top of the screen, where a person would look at it.
    ::SetForegroundWindow(window.Handle());
    Settle(window);
    CQLNReplacingFile png(path);
    const HRESULT hr = QLNSaveWindowAsPng(window.Handle(), png.TempPath().c_str());
    if (FAILED(hr)) {
        error = L"cannot write " + path + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return png.Commit(error);
}

int RunWindow(const CQLNPageOptions& options, const CQLNReportResolver* pResolver)
{
    CQLNPageWindow window;
    std::wstring error;
    // A file opened as a person opens it shows what is wrong in the window; a picture taken
    // unattended fails instead.
    const auto badFile = options.m_strShot.empty() ? CQLNPageWindow::BadFile::StartNew : CQLNPageWindow::BadFile::Refuse;
    if (!window.Create(options.m_strPage, options.m_nZoom != 0 ? options.m_nZoom : 75, error, badFile))
        return Fail(error);
    // A picture is taken with nobody to answer a message.
    if (!options.m_strShot.empty())
        Warn(window.Page().TakeLoadNote());
    if (!Prepare(window.Page(), &window, options, nullptr, error) ||
        (pResolver != nullptr && !window.Preview(*pResolver, options.m_strResolve, error)))
        return Fail(error);
    // The page on screen before an object's own window comes over its place, as a person sees it.
    ::InvalidateRect(window.Handle(), nullptr, FALSE);
    ::UpdateWindow(window.Handle());
    if (options.m_nActivate != 0 && !Activate(window, options.m_nActivate, error))
        return Fail(error);
    // The window goes without asking to save: the picture changes nothing worth keeping.
    if (!options.m_strShot.empty())
        return Shoot(window, options.m_strShot, error) ? 0 : Fail(error);
    window.QuitOnDestroy();
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.PreTranslate(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CQLNPageOptions options;
    std::wstring error;
    if (!options.Parse(argc, argv, error)) {
        if (error.empty()) {
            CQLNConsoleOutput::Write(STD_OUTPUT_HANDLE, CQLNPageOptions::Usage());
            return 0;
        }
        CQLNConsoleOutput::Write(STD_ERROR_HANDLE, L"reportpage: " + error + L"\r\n" + CQLNPageOptions::Usage());
        return 2;
    }
    if (FAILED(::OleInitialize(nullptr)))
        return Fail(L"cannot start OLE");
    if (options.m_nRTPrecision >= 0)
        CQLNReportPage::s_nNewPageRTPrecision = options.m_nRTPrecision;
    int result = 0;
    // A folder of results is a sequence even when it is the only source.
    const bool bFolder = options.m_results.size() == 1 && !options.m_strPdf.empty() &&
                         (::GetFileAttributesW(options.m_strResolve.c_str()) & FILE_ATTRIBUTE_DIRECTORY) &&
                         ::GetFileAttributesW(options.m_strResolve.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (options.IsSequence() || bFolder) {
        result = RunSequence(options);
    } else {
        CQLNReportResolver resolver;
        if (!options.m_strResolve.empty() && !resolver.LoadData(options.m_strResolve, error))
            result = Fail(error);
        else {
            const CQLNReportResolver* pResolver = options.m_strResolve.empty() ? nullptr : &resolver;
            result = options.IsBatch() ? RunBatch(options, pResolver) : RunWindow(options, pResolver);
        }
    }
    ::OleUninitialize();
    return result;
}
