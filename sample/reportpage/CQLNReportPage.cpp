#include "CQLNReportPage.h"

#include "CQLNPageScale.h"
#include "CQLNReplacingFile.h"
#include "CQLNTextObjError.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kPageStream[] = L"Page";
const char kMagic[4] = {'Q', 'R', 'P', 'G'};
const uint32_t kVersion = 1;
// More objects than any page holds: a count beyond it is damage, not a page.
const uint32_t kMaxObjects = 10000;

std::wstring StorageName(size_t nIndex)
{
    return L"Object" + std::to_wstring(nIndex + 1);
}

// The page stream is little-endian 32-bit fields: magic, version, paper, landscape, margin,
// object count, then each object's place (left, top, right, bottom).
void Put(std::string& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

class Reader
{
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
    bool Get(uint32_t& value)
    {
        if (m_bytes.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i])) << (8 * i);
        m_at += 4;
        return true;
    }
    bool Get(long& value)
    {
        uint32_t u = 0;
        if (!Get(u))
            return false;
        value = static_cast<int32_t>(u);
        return true;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::string& m_bytes;
    size_t m_at = 0;
};

bool ReadStream(IStream* pStream, std::string& bytes)
{
    STATSTG stat = {};
    if (FAILED(pStream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 16u * 1024 * 1024)
        return false;
    bytes.assign(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    return bytes.empty() || (SUCCEEDED(pStream->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read)) && read == bytes.size());
}

} // namespace

CQLNReportPage::~CQLNReportPage()
{
    CloseAll();
}

void CQLNReportPage::CloseAll()
{
    for (auto& object : m_objects)
        object->Close();
    m_objects.clear();
    SetUndo(Undo());
}

void CQLNReportPage::SetUndo(Undo undo)
{
    // An object removed from the page lives on only for its undo.
    if (m_undo.kind == Undo::Remove && m_undo.object)
        m_undo.object->Close();
    m_undo = std::move(undo);
}

void CQLNReportPage::Swap(CQLNReportPage& other)
{
    std::swap(m_paper, other.m_paper);
    std::swap(m_bLandscape, other.m_bLandscape);
    std::swap(m_nMargin, other.m_nMargin);
    std::swap(m_objects, other.m_objects);
    std::swap(m_undo, other.m_undo);
    std::swap(m_bModified, other.m_bModified);
}

void CQLNReportPage::SetPaper(Paper paper, bool bLandscape)
{
    if (paper == m_paper && bLandscape == m_bLandscape)
        return;
    m_paper = paper;
    m_bLandscape = bLandscape;
    SetMargin(m_nMargin);
    for (auto& object : m_objects)
        object->SetPlace(Clamp(object->Place()));
    m_bModified = true;
}

void CQLNReportPage::SetMargin(long nMargin)
{
    const SIZE size = Size();
    const long nMost = std::min(size.cx, size.cy) / 4;
    const long nNew = std::max(0L, std::min(nMargin, nMost));
    m_bModified = m_bModified || nNew != m_nMargin;
    m_nMargin = nNew;
}

SIZE CQLNReportPage::Size() const
{
    const SIZE portrait = m_paper == Paper::A4 ? SIZE{21000, 29700} : SIZE{21590, 27940};
    return m_bLandscape ? SIZE{portrait.cy, portrait.cx} : portrait;
}

RECT CQLNReportPage::MarginRect() const
{
    const SIZE size = Size();
    return RECT{m_nMargin, m_nMargin, size.cx - m_nMargin, size.cy - m_nMargin};
}

RECT CQLNReportPage::NextPlace(SIZE size) const
{
    // The first place, row by row in steps of 5 mm, where the object fits inside the margins
    // without covering another: objects paint no background of their own, so overlapping ones
    // would show through each other. A full page gets the margins' corner.
    const RECT rcMargins = MarginRect();
    const long nStep = 500;
    for (long y = rcMargins.top; y + size.cy <= rcMargins.bottom; y += nStep) {
        for (long x = rcMargins.left; x + size.cx <= rcMargins.right; x += nStep) {
            const RECT rc = {x, y, x + size.cx, y + size.cy};
            RECT overlap;
            if (std::none_of(m_objects.begin(), m_objects.end(),
                             [&](const auto& o) { return ::IntersectRect(&overlap, &rc, &o->Place()) != FALSE; }))
                return rc;
        }
    }
    return Clamp(RECT{rcMargins.left, rcMargins.top, rcMargins.left + size.cx, rcMargins.top + size.cy});
}

RECT CQLNReportPage::Clamp(const RECT& rcPlace) const
{
    const SIZE page = Size();
    long nWidth = std::min(std::max(rcPlace.right - rcPlace.left, m_klMinObjectSize), page.cx);
    long nHeight = std::min(std::max(rcPlace.bottom - rcPlace.top, m_klMinObjectSize), page.cy);
    const long nLeft = std::max(0L, std::min(rcPlace.left, page.cx - nWidth));
    const long nTop = std::max(0L, std::min(rcPlace.top, page.cy - nHeight));
    return RECT{nLeft, nTop, nLeft + nWidth, nTop + nHeight};
}

void CQLNReportPage::Insert(const ComPtr<CQLNPageObject>& object)
{
    m_objects.push_back(object);
    Undo undo;
    undo.kind = Undo::Insert;
    undo.object = object;
    SetUndo(std::move(undo));
    m_bModified = true;
}

void CQLNReportPage::Remove(CQLNPageObject* pObject)
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(), [&](const auto& o) { return o.Get() == pObject; });
    if (it == m_objects.end())
        return;
    pObject->Deactivate();
    Undo undo;
    undo.kind = Undo::Remove;
    undo.object = *it;
    undo.nIndex = static_cast<size_t>(it - m_objects.begin());
    m_objects.erase(it);
    SetUndo(std::move(undo));
    m_bModified = true;
}

void CQLNReportPage::Place(CQLNPageObject* pObject, const RECT& rcPlace, const RECT& rcBefore)
{
    pObject->SetPlace(Clamp(rcPlace));
    if (::EqualRect(&pObject->Place(), &rcBefore))
        return;
    Undo undo;
    undo.kind = Undo::Place;
    undo.object = pObject;
    undo.rcBefore = rcBefore;
    SetUndo(std::move(undo));
    m_bModified = true;
}

CQLNPageObject* CQLNReportPage::UndoLast()
{
    Undo undo = std::move(m_undo);
    m_undo = Undo();
    CQLNPageObject* pObject = undo.object.Get();
    switch (undo.kind) {
    case Undo::None:
        return nullptr;
    case Undo::Place:
        pObject->SetPlace(undo.rcBefore);
        break;
    case Undo::Insert:
        m_objects.erase(std::remove(m_objects.begin(), m_objects.end(), undo.object), m_objects.end());
        pObject->Close();
        pObject = nullptr;
        break;
    case Undo::Remove:
        m_objects.insert(m_objects.begin() + static_cast<std::ptrdiff_t>(std::min(undo.nIndex, m_objects.size())), undo.object);
        break;
    }
    m_bModified = true;
    return pObject;
}

bool CQLNReportPage::IsModified() const
{
    return m_bModified || std::any_of(m_objects.begin(), m_objects.end(), [](const auto& o) { return o->IsDirty(); });
}

bool CQLNReportPage::Save(const std::wstring& path, std::wstring& error)
{
    std::string bytes(kMagic, sizeof kMagic);
    Put(bytes, kVersion);
    Put(bytes, static_cast<uint32_t>(m_paper));
    Put(bytes, m_bLandscape ? 1u : 0u);
    Put(bytes, static_cast<uint32_t>(m_nMargin));
    Put(bytes, static_cast<uint32_t>(m_objects.size()));
    for (const auto& object : m_objects) {
        const RECT& rc = object->Place();
        for (long v : {rc.left, rc.top, rc.right, rc.bottom})
            Put(bytes, static_cast<uint32_t>(v));
    }

    CQLNReplacingFile file(path);
    {
        ComPtr<IStorage> root;
        HRESULT hr = ::StgCreateDocfile(file.TempPath().c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &root);
        ComPtr<IStream> stream;
        if (SUCCEEDED(hr))
            hr = root->CreateStream(kPageStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
        ULONG written = 0;
        if (SUCCEEDED(hr))
            hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        if (FAILED(hr)) {
            error = L"cannot write " + path + L": " + CQLNTextObjError::Describe(hr);
            return false;
        }
        for (size_t i = 0; i < m_objects.size(); ++i) {
            ComPtr<IStorage> storage;
            hr = root->CreateStorage(StorageName(i).c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &storage);
            if (FAILED(hr)) {
                error = L"cannot write " + path + L": " + CQLNTextObjError::Describe(hr);
                return false;
            }
            if (!m_objects[i]->Save(storage.Get(), error))
                return false;
            storage->Commit(STGC_DEFAULT);
        }
        hr = root->Commit(STGC_DEFAULT);
        if (FAILED(hr)) {
            error = L"cannot write " + path + L": " + CQLNTextObjError::Describe(hr);
            return false;
        }
    }
    if (!file.Commit(error))
        return false;
    m_bModified = false;
    return true;
}

bool CQLNReportPage::Load(const std::wstring& path, std::wstring& error)
{
    CloseAll();
    ComPtr<IStorage> root;
    const HRESULT hr = ::StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &root);
    if (FAILED(hr)) {
        error = hr == STG_E_FILENOTFOUND || hr == STG_E_PATHNOTFOUND
                    ? L"cannot open " + path + L": " + CQLNTextObjError::Describe(hr)
                    : path + L" is no report page, or it is damaged: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    if (!ReadPage(root.Get(), error)) {
        error = path + L": " + error;
        CloseAll();
        m_paper = Paper::A4;
        m_bLandscape = false;
        m_nMargin = 2000;
        return false;
    }
    m_bModified = false;
    return true;
}

bool CQLNReportPage::ReadPage(IStorage* pRoot, std::wstring& error)
{
    ComPtr<IStream> stream;
    std::string bytes;
    if (FAILED(pRoot->OpenStream(kPageStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)) ||
        !ReadStream(stream.Get(), bytes)) {
        error = L"the page's description is missing or cannot be read";
        return false;
    }
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = L"this is no report page";
        return false;
    }
    Reader reader(bytes);
    uint32_t magic = 0, version = 0, paper = 0, landscape = 0, count = 0;
    long margin = 0;
    if (!reader.Get(magic) || !reader.Get(version) || !reader.Get(paper) || !reader.Get(landscape) ||
        !reader.Get(margin) || !reader.Get(count)) {
        error = L"the page's description is cut short";
        return false;
    }
    if (version != kVersion) {
        error = L"the page was written in version " + std::to_wstring(version) + L", which this program cannot read";
        return false;
    }
    if (paper > 1 || landscape > 1 || margin < 0 || count > kMaxObjects) {
        error = L"the page's description is damaged";
        return false;
    }
    m_paper = static_cast<Paper>(paper);
    m_bLandscape = landscape != 0;
    const SIZE size = Size();
    if (margin > std::min(size.cx, size.cy) / 4) {
        error = L"the page's margins are larger than the page allows";
        return false;
    }
    m_nMargin = margin;
    std::vector<RECT> places(count);
    for (RECT& rc : places) {
        if (!reader.Get(rc.left) || !reader.Get(rc.top) || !reader.Get(rc.right) || !reader.Get(rc.bottom)) {
            error = L"the page's description is cut short";
            return false;
        }
        if (rc.left < 0 || rc.top < 0 || rc.right > size.cx ||
            rc.bottom > size.cy || rc.right - rc.left < m_klMinObjectSize || rc.bottom - rc.top < m_klMinObjectSize) {
            error = L"an object's place lies outside the page";
            return false;
        }
    }
    if (!reader.AtEnd()) {
        error = L"the page's description is damaged";
        return false;
    }
    for (size_t i = 0; i < places.size(); ++i) {
        ComPtr<IStorage> storage;
        const HRESULT hr = pRoot->OpenStorage(StorageName(i).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage);
        if (FAILED(hr)) {
            error = L"object " + std::to_wstring(i + 1) + L" is missing: " + CQLNTextObjError::Describe(hr);
            return false;
        }
        ComPtr<CQLNPageObject> object = CQLNPageObject::Load(storage.Get(), m_pContainer, error);
        if (!object) {
            error = L"object " + std::to_wstring(i + 1) + L": " + error;
            return false;
        }
        object->SetPlace(places[i]);
        m_objects.push_back(object);
    }
    return true;
}

int CQLNReportPage::ScreenDpi()
{
    // Asked for every conversion of a place while the mouse drags; the screen's resolution does
    // not change while the program runs.
    static const int s_nDpi = [] {
        const HDC hdc = ::GetDC(nullptr);
        const int nDpi = ::GetDeviceCaps(hdc, LOGPIXELSX);
        ::ReleaseDC(nullptr, hdc);
        return nDpi > 0 ? nDpi : 96;
    }();
    return s_nDpi;
}

long CQLNReportPage::ToPixels(long nHimetric, int nZoom)
{
    return ::MulDiv(nHimetric, ScreenDpi() * nZoom, 2540 * 100);
}

long CQLNReportPage::ToHimetric(long nPixels, int nZoom)
{
    return ::MulDiv(nPixels, 2540 * 100, ScreenDpi() * nZoom);
}

void CQLNReportPage::Draw(HDC hdc, POINT origin, int nZoom, std::wstring& error) const
{
    const CQLNPageScale scale = CQLNPageScale::Screen(nZoom, origin);
    const SIZE size = Size();
    const RECT rcPaper = scale.ToDevice(RECT{0, 0, size.cx, size.cy});
    ::FillRect(hdc, &rcPaper, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    // The margins, as a designer sees them; they are not printed (see CQLNPagePrinter).
    const RECT rcMargins = scale.ToDevice(MarginRect());
    HPEN hPen = ::CreatePen(PS_DOT, 1, RGB(0xA0, 0xA0, 0xA0));
    const HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    const HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hdc, rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldBrush);
    ::DeleteObject(hPen);

    // A window or a bitmap shows only part of a large page: objects outside it are not played.
    RECT rcVisible = {};
    const DWORD nType = ::GetObjectType(hdc);
    const bool bCull = (nType == OBJ_DC || nType == OBJ_MEMDC) && ::GetClipBox(hdc, &rcVisible) > NULLREGION;
    for (const auto& object : m_objects) {
        if (object->IsInPlaceActive())
            continue;
        const RECT rc = scale.ToDevice(object->Place());
        RECT rcShown;
        if (bCull && !::IntersectRect(&rcShown, &rc, &rcVisible))
            continue;
        std::wstring why;
        if (!object->Show(hdc, rc, why) && error.empty())
            error = why;
    }
}
