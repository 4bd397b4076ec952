// textobj: the demo host of the text objects. It creates one by ProgID, starts it afresh or
// loads a property set, writes properties by name, opens its property sheet (and takes pictures
// of it), prints its lines plain or resolved with data, draws it into an enhanced metafile and a
// PNG picture, prints it on a printer or into PostScript or PDF, and saves it.
// Exit codes: 0 done, 1 a file, the control or a property refused, 2 a bad command line.
#include "CQLNConsoleOutput.h"
#include "CQLNObjectRecording.h"
#include "CQLNObjectResolution.h"
#include "CQLNReplacingFile.h"
#include "CQLNPrintJob.h"
#include "CQLNReportResolver.h"
#include "CQLNSheetCamera.h"
#include "CQLNTextObjClient.h"
#include "CQLNTextObjError.h"
#include "CQLNTextObjOptions.h"
#include "CQLNTextPropertyBag.h"
#include "QLNEnhMetaFilePng.h"

#include <ole2.h>

#include <string>
#include <vector>
#include <wrl/client.h>

namespace {

void Print(DWORD nStdHandle, const std::wstring& text)
{
    CQLNConsoleOutput::Write(nStdHandle, text);
}

int Fail(const std::wstring& message)
{
    Print(STD_ERROR_HANDLE, L"textobj: " + message + L"\r\n");
    return 1;
}

void PrintLines(const std::vector<std::wstring>& lines)
{
    std::wstring out;
    for (const std::wstring& line : lines)
        out += line + L"\r\n";
    Print(STD_OUTPUT_HANDLE, out);
}

bool Load(CQLNTextObjClient& control, const std::wstring& path, std::wstring& error)
{
    if (CQLNTextObjOptions::IsTextBagName(path)) {
        // The bag's own errors name the file already.
        const Microsoft::WRL::ComPtr<CQLNTextPropertyBag> bag = CQLNTextPropertyBag::Make();
        bool ok = bag->LoadFile(path, error);
        if (ok && !control.LoadBag(*bag.Get(), error)) {
            error = path + L": " + error;
            ok = false;
        }
        return ok;
    }
    std::string bytes;
    if (!CQLNTextPropertyBag::ReadBytes(path, bytes, error))
        return false;
    if (!control.LoadStream(bytes, error)) {
        error = path + L": " + error;
        return false;
    }
    return true;
}

bool Save(CQLNTextObjClient& control, const std::wstring& path, std::wstring& error)
{
    std::string bytes;
    if (CQLNTextObjOptions::IsTextBagName(path)) {
        const Microsoft::WRL::ComPtr<CQLNTextPropertyBag> bag = CQLNTextPropertyBag::Make();
        if (!control.SaveBag(*bag.Get(), error))
            return false;
        bytes = bag->SaveText();
    } else if (!control.SaveStream(bytes, error)) {
        return false;
    }
    return CQLNReplacingFile::WriteAll(path, bytes, error);
}

// A drawing of a resolved object shows the values where the object drew their tokens: the
// recording is played once more with them into the metafile that is kept.
bool Draw(CQLNTextObjClient& control, const CQLNTextObjOptions& options, const CQLNTextReplacement& replacement,
          std::wstring& error)
{
    // Text is measured on the screen, so that the picture's pixels are the device's pixels.
    CQLNObjectRecording dc(false);
    CDC* pReference = dc.m_fnGetAttribDC();
    if (pReference == nullptr) {
        error = L"no device to measure the drawing on";
        return false;
    }
    // The metafile's frame is in 0.01 mm.
    const HDC hRef = pReference->GetSafeHdc();
    const RECT frame = {0, 0,
                        ::MulDiv(options.m_nWidth, ::GetDeviceCaps(hRef, HORZSIZE) * 100, ::GetDeviceCaps(hRef, HORZRES)),
                        ::MulDiv(options.m_nHeight, ::GetDeviceCaps(hRef, VERTSIZE) * 100, ::GetDeviceCaps(hRef, VERTRES))};
    const int nScreenDpi = ::GetDeviceCaps(hRef, LOGPIXELSX);
    if (dc.m_fnCreate(frame) != CQLNMetaFileDC::m_klSuccess) {
        error = L"cannot start recording a metafile";
        return false;
    }
    const RECT bounds = {0, 0, options.m_nWidth, options.m_nHeight};
    if (!control.SetZoom(options.m_dZoom, error) || !control.Draw(dc.m_hAttribDC, dc.m_hDC, bounds, error))
        return false;
    HENHMETAFILE hEmf = dc.Take();
    if (hEmf != nullptr && !replacement.IsEmpty()) {
        CQLNObjectRecording resolved(false);
        const bool bPlayed = resolved.m_fnCreate(frame) == CQLNMetaFileDC::m_klSuccess &&
                             replacement.Play(resolved.m_hDC, hEmf, bounds);
        ::DeleteEnhMetaFile(hEmf);
        hEmf = bPlayed ? resolved.Take() : nullptr;
    }
    if (hEmf == nullptr) {
        error = L"the drawing could not be recorded";
        return false;
    }

    bool ok = true;
    if (!options.m_strPng.empty()) {
        // For print the metafile is played onto more pixels: the text keeps the layout it was
        // measured to on the screen and is drawn sharp at the printer's resolution.
        const int nDpi = options.m_nDpi != 0 ? options.m_nDpi : nScreenDpi;
        const long long nWidth = static_cast<long long>(options.m_nWidth) * nDpi / nScreenDpi;
        const long long nHeight = static_cast<long long>(options.m_nHeight) * nDpi / nScreenDpi;
        CQLNReplacingFile png(options.m_strPng);
        if (nWidth < 1 || nHeight < 1 || nWidth > 16384 || nHeight > 16384) {
            error = L"a picture at " + std::to_wstring(nDpi) + L" dpi would be " + std::to_wstring(nWidth) + L"x" +
                    std::to_wstring(nHeight) + L" pixels; each side must be 1 to 16384";
            ok = false;
        } else {
            const HRESULT hr = QLNSaveEnhMetaFileAsPng(hEmf, static_cast<int>(nWidth), static_cast<int>(nHeight),
                                                       png.TempPath().c_str(), nDpi);
            if (FAILED(hr))
                error = L"cannot write " + options.m_strPng + L": " + CQLNTextObjError::Describe(hr);
            ok = SUCCEEDED(hr) && png.Commit(error);
        }
    }
    if (ok && !options.m_strEmf.empty()) {
        CQLNReplacingFile emf(options.m_strEmf);
        const HENHMETAFILE hCopy = ::CopyEnhMetaFileW(hEmf, emf.TempPath().c_str());
        if (hCopy == nullptr)
            error = L"cannot write " + options.m_strEmf;
        else
            ::DeleteEnhMetaFile(hCopy);
        ok = hCopy != nullptr && emf.Commit(error);
    }
    ::DeleteEnhMetaFile(hEmf);
    return ok;
}

bool PrintPage(CQLNTextObjClient& control, const CQLNTextObjOptions& options, const CQLNTextReplacement& replacement,
               std::wstring& error)
{
    const CQLNPrintJob::Paper paper = options.m_strPaper == L"A4"       ? CQLNPrintJob::Paper::A4
                                      : options.m_strPaper == L"Letter" ? CQLNPrintJob::Paper::Letter
                                                                        : CQLNPrintJob::Paper::Printer;
    CQLNPrintJob job;
    if (!job.Open(options.m_strPrinter, paper, error))
        return false;
    const CQLNPrintJob::Output output = !options.m_strPdf.empty()          ? CQLNPrintJob::Output::Pdf
                                        : !options.m_strPostScript.empty() ? CQLNPrintJob::Output::PostScript
                                                                           : CQLNPrintJob::Output::Port;
    const std::wstring& path = !options.m_strPdf.empty() ? options.m_strPdf : options.m_strPostScript;
    job.SetReplacement(replacement);
    if (!job.Print(control, options.m_nWidth, options.m_nHeight, output, path, error))
        return false;
    if (options.m_bPlacements) {
        std::wstring out;
        wchar_t where[64];
        for (const CQLNPrintJob::Placement& placement : job.Placements()) {
            swprintf(where, 64, L"%.2f\t%.2f\t", placement.dX, placement.dY);
            out += where + placement.strText + L"\r\n";
        }
        Print(STD_OUTPUT_HANDLE, out);
    }
    return true;
}

// The sheet as a user in a report designer opens it; with a folder for pictures, a camera takes
// one of each page first.
bool ShowSheet(CQLNTextObjClient& control, const CQLNTextObjOptions& options, std::wstring& error)
{
    if (options.m_strShots.empty())
        return control.ShowProperties(nullptr, error);
    ::CreateDirectoryW(options.m_strShots.c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesW(options.m_strShots.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = L"cannot make the folder " + options.m_strShots;
        return false;
    }
    CQLNSheetCamera camera(options.m_strShots, options.m_bProperties ? CQLNSheetCamera::After::KeepOpen
                                                                     : CQLNSheetCamera::After::Close);
    return control.ShowProperties(nullptr, error) && camera.Result(error);
}

int Run(const CQLNTextObjOptions& options)
{
    std::wstring error;
    // Every input is read before anything is written, so a bad one leaves no output behind.
    CQLNReportResolver resolver;
    if (!options.m_strResolve.empty() && !resolver.LoadData(options.m_strResolve, error))
        return Fail(error);

    CLSID clsid = {};
    if (options.m_nRTPrecision >= 0 && SUCCEEDED(::CLSIDFromProgID(options.m_strProgId.c_str(), &clsid)) &&
        !CQLNTextObjClient::SetRTPrecision(clsid, options.m_nRTPrecision, error))
        return Fail(error);
    CQLNTextObjClient control;
    if (!control.Create(options.m_strProgId, error))
        return Fail(error);
    if (options.m_strLoad.empty() ? !control.InitNew(error) : !Load(control, options.m_strLoad, error))
        return Fail(error);
    for (const auto& property : options.m_setProperties) {
        if (!control.PutProperty(property.first, property.second, error))
            return Fail(error);
    }
    if (options.WantsSheet() && !ShowSheet(control, options, error))
        return Fail(error);

    if (options.m_bPrintLines) {
        // A table's lines are its columns.
        std::vector<std::wstring> lines;
        if (!control.GetOfferedLines(lines, error))
            return Fail(error);
        PrintLines(lines);
    }
    // Resolving hands a table its rows and tells which values to draw where a text object draws
    // their tokens; the object's own text stays as it is.
    CQLNObjectResolution resolution;
    if (!options.m_strResolve.empty()) {
        if (!resolution.Resolve(control, resolver, error))
            return Fail(error);
        PrintLines(resolution.Lines());
    }
    if (options.WantsDrawing() && !Draw(control, options, resolution.Replacement(), error))
        return Fail(error);
    if (options.WantsPrint() && !PrintPage(control, options, resolution.Replacement(), error))
        return Fail(error);
    if (!options.m_strSave.empty() && !Save(control, options.m_strSave, error))
        return Fail(error);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CQLNTextObjOptions options;
    std::wstring error;
    if (!options.Parse(argc, argv, error)) {
        if (error.empty()) {
            Print(STD_OUTPUT_HANDLE, CQLNTextObjOptions::Usage());
            return 0;
        }
        Print(STD_ERROR_HANDLE, L"textobj: " + error + L"\r\n" + CQLNTextObjOptions::Usage());
        return 2;
    }
    const HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return Fail(L"cannot start OLE");
    const int result = Run(options);
    ::OleUninitialize();
    return result;
}
