#include "CQLNReportPageTools.h"

#include "CQLNPageScale.h"
#include "CQLNReplacingFile.h"
#include "CQLNTextObjClient.h"
#include "CQLNTextObjError.h"
#include "QLNEnhMetaFilePng.h"

#include <cstdio>

using Microsoft::WRL::ComPtr;

bool CQLNReportPageTools::InsertByName(CQLNReportPage& page, CQLNPageContainer* pContainer, const std::wstring& name,
                                       std::wstring& error)
{
    CLSID clsid = CLSID_NULL;
    const HRESULT hr = !name.empty() && name[0] == L'{' ? ::CLSIDFromString(name.c_str(), &clsid)
                                                        : ::CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(hr)) {
        error = L"no class is registered as " + name;
        return false;
    }
    ComPtr<CQLNPageObject> object = CQLNPageObject::Create(clsid, pContainer, page.RTPrecision(), error);
    if (!object)
        return false;
    object->SetPlace(page.NextPlace(SIZE{8000, 5000}));
    page.Insert(object);
    return true;
}

bool CQLNReportPageTools::Resolve(CQLNReportPage& page, const CQLNReportResolver& resolver, std::wstring& error)
{
    for (const auto& object : page.Objects())
        if (!object->Resolve(resolver, error))
            return false;
    return true;
}

bool CQLNReportPageTools::EndResolution(CQLNReportPage& page, std::wstring& error)
{
    bool ok = true;
    for (const auto& object : page.Objects()) {
        std::wstring why;
        if (!object->EndResolution(why) && ok) {
            error = why;
            ok = false;
        }
    }
    return ok;
}

std::wstring CQLNReportPageTools::List(const CQLNReportPage& page)
{
    std::wstring out;
    const SIZE size = page.Size();
    wchar_t sz[256];
    swprintf(sz, 256, L"%ls %ls, %.1f x %.1f mm, margins %.1f mm, times in %ld decimal%ls, %u object%ls\r\n",
             page.GetPaper() == CQLNReportPage::Paper::A4 ? L"A4" : L"Letter", page.IsLandscape() ? L"landscape" : L"portrait",
             size.cx / 100.0, size.cy / 100.0, page.Margin() / 100.0, page.RTPrecision(), page.RTPrecision() == 1 ? L"" : L"s",
             static_cast<unsigned>(page.Objects().size()), page.Objects().size() == 1 ? L"" : L"s");
    out += sz;
    int n = 0;
    for (const auto& object : page.Objects()) {
        const RECT& rc = object->Place();
        wchar_t szClsid[40] = {};
        ::StringFromGUID2(object->ClassId(), szClsid, 40);
        swprintf(sz, 256, L" %ls at %.1f, %.1f mm, %.1f x %.1f mm", szClsid, rc.left / 100.0, rc.top / 100.0,
                 (rc.right - rc.left) / 100.0, (rc.bottom - rc.top) / 100.0);
        // The class's name and a placeholder's reason (the system's message, maybe) as long as they are.
        out += std::to_wstring(++n) + L". " + object->ClassName() + sz;
        if (object->IsPlaceholder())
            out += L" (" + object->WhyPlaceholder() + L"; kept as it is)";
        out += L"\r\n";
        CQLNTextObjClient client;
        std::vector<std::wstring> lines;
        std::wstring why;
        if (object->Resolution().GetKind() == CQLNObjectResolution::Kind::Text)
            lines = object->Resolution().Lines();
        else if (!object->IsPlaceholder() && client.Attach(object->Object(), why))
            client.GetOfferedLines(lines, why);
        for (const std::wstring& line : lines)
            out += L"    " + line + L"\r\n";
    }
    return out;
}

bool CQLNReportPageTools::WritePng(const CQLNReportPage& page, int nZoom, const std::wstring& path, std::wstring& error)
{
    const SIZE shown = CQLNPageScale::Screen(nZoom, POINT{0, 0}).ToDevice(page.Size());
    const long nWidth = shown.cx, nHeight = shown.cy;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
    ::ReleaseDC(nullptr, hScreen);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    page.Draw(hMem, POINT{0, 0}, nZoom, error);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    bool ok = error.empty();
    if (ok) {
        CQLNReplacingFile png(path);
        const HRESULT hr = QLNSaveBitmapAsPng(hBitmap, png.TempPath().c_str(), CQLNReportPage::ScreenDpi() * nZoom / 100.0);
        if (FAILED(hr))
            error = L"cannot write " + path + L": " + CQLNTextObjError::Describe(hr);
        ok = SUCCEEDED(hr) && png.Commit(error);
    }
    ::DeleteObject(hBitmap);
    return ok;
}
