#include "CQLNReportPage.h"

#include "CQLNPageFile.h"
#include "CQLNPageScale.h"
#include "CQLNReplacingFile.h"
#include "CQLNTextObjError.h"

#include <algorithm>
#include <cstdint>

using Microsoft::WRL::ComPtr;
using Layout = CQLNPageHistory::Layout;

namespace {

const wchar_t kPageStream[] = L"Page";

std::wstring StorageName(size_t nIndex)
{
    return L"Object" + std::to_wstring(nIndex + 1);
}

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
    // Objects closing end their editing in place: no edit is recorded on the way out.
    m_edit = Edit();
    std::vector<ComPtr<CQLNPageObject>> objects = std::move(m_objects);
    m_objects.clear();
    for (const CQLNPageHistory::Step& step : m_history.Clear())
        for (const CQLNPageHistory::Layout* pLayout : {&step.before, &step.after})
            for (const CQLNPageHistory::Placed& placed : pLayout->objects)
                objects.push_back(placed.object);
    // Close does nothing to an object closed already.
    for (auto& object : objects)
        object->Close();
}

void CQLNReportPage::Swap(CQLNReportPage& other)
{
    std::swap(m_paper, other.m_paper);
    std::swap(m_bLandscape, other.m_bLandscape);
    std::swap(m_nMargin, other.m_nMargin);
    std::swap(m_nRTPrecision, other.m_nRTPrecision);
    std::swap(m_objects, other.m_objects);
    std::swap(m_history, other.m_history);
    std::swap(m_edit, other.m_edit);
    std::swap(m_strLoadNote, other.m_strLoadNote);
}

Layout CQLNReportPage::CurrentLayout() const
{
    Layout layout;
    layout.nPaper = static_cast<unsigned>(m_paper);
    layout.bLandscape = m_bLandscape;
    layout.nMargin = m_nMargin;
    for (const auto& object : m_objects)
        layout.objects.push_back(CQLNPageHistory::Placed{object, object->Place()});
    return layout;
}

void CQLNReportPage::ApplyLayout(const Layout& layout)
{
    for (const auto& object : m_objects)
        if (!layout.Holds(object.Get()))
            object->Deactivate();
    m_paper = static_cast<Paper>(layout.nPaper);
    m_bLandscape = layout.bLandscape;
    m_nMargin = layout.nMargin;
    m_objects.clear();
    for (const CQLNPageHistory::Placed& placed : layout.objects) {
        // A layout recorded is one the page held; kept on the paper all the same, since a
        // place off the paper makes a file no one can open.
        placed.object->SetPlace(Clamp(placed.rcPlace));
        m_objects.push_back(placed.object);
    }
}

void CQLNReportPage::RecordLayout(const wchar_t* pszName, CQLNPageObject* pObject, Layout before)
{
    Layout after = CurrentLayout();
    if (after == before)
        return;
    CQLNPageHistory::Step step;
    step.strName = pszName;
    step.object = pObject;
    step.before = std::move(before);
    step.after = std::move(after);
    Record(std::move(step));
}

void CQLNReportPage::Record(CQLNPageHistory::Step step)
{
    CloseDropped(m_history.Record(std::move(step)));
}

void CQLNReportPage::CloseDropped(std::vector<CQLNPageHistory::Step> dropped)
{
    // An object removed from the page lives on only for the steps that can bring it back.
    for (const CQLNPageHistory::Step& step : dropped)
        for (const CQLNPageHistory::Layout* pLayout : {&step.before, &step.after})
            for (const CQLNPageHistory::Placed& placed : pLayout->objects) {
                CQLNPageObject* pObject = placed.object.Get();
                if (!Holds(pObject) &&
                    !m_history.Holds(pObject) && m_edit.object.Get() != pObject)
                    pObject->Close();
            }
}

void CQLNReportPage::SetPaper(Paper paper, bool bLandscape)
{
    if (paper == m_paper && bLandscape == m_bLandscape)
        return;
    Layout before = CurrentLayout();
    const wchar_t* pszName = paper != m_paper ? L"Paper" : L"Orientation";
    m_paper = paper;
    m_bLandscape = bLandscape;
    m_nMargin = std::min<long>(m_nMargin, CQLNPageStream::MaxMargin(static_cast<uint32_t>(m_paper), m_bLandscape));
    for (auto& object : m_objects)
        object->SetPlace(Clamp(object->Place()));
    RecordLayout(pszName, nullptr, std::move(before));
}

void CQLNReportPage::SetMargin(long nMargin)
{
    Layout before = CurrentLayout();
    const long nMost = CQLNPageStream::MaxMargin(static_cast<uint32_t>(m_paper), m_bLandscape);
    m_nMargin = std::max(0L, std::min(nMargin, nMost));
    RecordLayout(L"Margins", nullptr, std::move(before));
}

void CQLNReportPage::SetRTPrecision(long nRTPrecision)
{
    const long nNew = std::max(0L, std::min(nRTPrecision, m_klMaxRTPrecision));
    // Not a step of the history: the decimals change how values show, not the layout.
    if (nNew != m_nRTPrecision)
        m_history.MarkUnsaved();
    m_nRTPrecision = nNew;
}

SIZE CQLNReportPage::Size() const
{
    const CQLNPageStream::Size size = CQLNPageStream::PaperSize(static_cast<uint32_t>(m_paper), m_bLandscape);
    return SIZE{size.cx, size.cy};
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
    // Widths from any two longs: a place read from a file may span more than a long holds.
    const SIZE page = Size();
    const long long llWidth = static_cast<long long>(rcPlace.right) - rcPlace.left;
    const long long llHeight = static_cast<long long>(rcPlace.bottom) - rcPlace.top;
    const long nWidth = static_cast<long>(std::min<long long>(std::max<long long>(llWidth, m_klMinObjectSize), page.cx));
    const long nHeight = static_cast<long>(std::min<long long>(std::max<long long>(llHeight, m_klMinObjectSize), page.cy));
    const long nLeft = std::max(0L, std::min(rcPlace.left, page.cx - nWidth));
    const long nTop = std::max(0L, std::min(rcPlace.top, page.cy - nHeight));
    return RECT{nLeft, nTop, nLeft + nWidth, nTop + nHeight};
}

void CQLNReportPage::Insert(const ComPtr<CQLNPageObject>& object)
{
    Layout before = CurrentLayout();
    m_objects.push_back(object);
    RecordLayout(L"Insert", object.Get(), std::move(before));
}

void CQLNReportPage::Remove(CQLNPageObject* pObject)
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(), [&](const auto& o) { return o.Get() == pObject; });
    if (it == m_objects.end())
        return;
    // Deactivating may end an edit in place, a step of its own before this one.
    pObject->Deactivate();
    Layout before = CurrentLayout();
    m_objects.erase(std::find_if(m_objects.begin(), m_objects.end(), [&](const auto& o) { return o.Get() == pObject; }));
    RecordLayout(L"Delete", pObject, std::move(before));
}

void CQLNReportPage::Place(CQLNPageObject* pObject, const RECT& rcPlace, const RECT& rcBefore)
{
    Layout before = CurrentLayout();
    for (CQLNPageHistory::Placed& placed : before.objects)
        if (placed.object.Get() == pObject)
            placed.rcPlace = rcBefore;
    pObject->SetPlace(Clamp(rcPlace));
    const RECT& rcAfter = pObject->Place();
    const bool bSameSize = rcAfter.right - rcAfter.left == rcBefore.right - rcBefore.left &&
                           rcAfter.bottom - rcAfter.top == rcBefore.bottom - rcBefore.top;
    RecordLayout(bSameSize ? L"Move" : L"Resize", pObject, std::move(before));
}

void CQLNReportPage::BeginEdit(CQLNPageObject* pObject, const wchar_t* pszName)
{
    m_edit = Edit();
    if (pObject == nullptr || !pObject->SaveData(m_edit.data))
        return;
    m_edit.object = pObject;
    m_edit.strName = pszName;
    m_edit.bModified = pObject->IsDirty();
}

void CQLNReportPage::EndEdit(CQLNPageObject* pObject)
{
    if (pObject == nullptr || m_edit.object.Get() != pObject)
        return;
    Edit edit = std::move(m_edit);
    m_edit = Edit();
    CQLNPageHistory::Step step;
    if (!pObject->SaveData(step.dataAfter) || step.dataAfter == edit.data)
        return;
    step.kind = CQLNPageHistory::Step::Kind::Data;
    step.strName = edit.strName;
    step.object = edit.object;
    step.dataBefore = std::move(edit.data);
    // What the edit changed, the history accounts for; what the object held unsaved before it
    // (changes made outside any step), it holds after it too.
    step.bModifiedBefore = edit.bModified;
    step.bModifiedAfter = edit.bModified;
    Record(std::move(step));
}

CQLNPageObject* CQLNReportPage::Undo(std::wstring& error)
{
    const CQLNPageHistory::Step* pStep = m_history.Undo();
    return pStep != nullptr ? Apply(*pStep, true, error) : nullptr;
}

CQLNPageObject* CQLNReportPage::Redo(std::wstring& error)
{
    const CQLNPageHistory::Step* pStep = m_history.Redo();
    return pStep != nullptr ? Apply(*pStep, false, error) : nullptr;
}

CQLNPageObject* CQLNReportPage::Apply(const CQLNPageHistory::Step& step, bool bUndo, std::wstring& error)
{
    // An edit still open is of the page as it was before this step.
    m_edit = Edit();
    if (step.kind == CQLNPageHistory::Step::Kind::Layout) {
        ApplyLayout(bUndo ? step.before : step.after);
    } else if (!step.object->LoadData(bUndo ? step.dataBefore : step.dataAfter,
                                      bUndo ? step.bModifiedBefore : step.bModifiedAfter, error)) {
        // The object keeps the data it has; so does the history.
        if (bUndo)
            m_history.Redo();
        else
            m_history.Undo();
        return nullptr;
    }
    CQLNPageObject* pObject = step.object.Get();
    return Holds(pObject) ? pObject : nullptr;
}

bool CQLNReportPage::Holds(const CQLNPageObject* pObject) const
{
    return std::any_of(m_objects.begin(), m_objects.end(), [&](const auto& o) { return o.Get() == pObject; });
}

bool CQLNReportPage::IsModified() const
{
    return !m_history.IsAtSaved() || std::any_of(m_objects.begin(), m_objects.end(), [](const auto& o) { return o->IsDirty(); });
}

bool CQLNReportPage::Save(const std::wstring& path, std::wstring& error)
{
    CQLNPageStream::Page description;
    description.nPaper = static_cast<uint32_t>(m_paper);
    description.bLandscape = m_bLandscape;
    description.nMargin = m_nMargin;
    description.nRTPrecision = m_nRTPrecision;
    for (const auto& object : m_objects) {
        const RECT& rc = object->Place();
        description.places.push_back(CQLNPageStream::Place{rc.left, rc.top, rc.right, rc.bottom});
    }
    const std::string bytes = CQLNPageStream::Write(description);

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
    // Only now does the file hold what the objects hold.
    for (const auto& object : m_objects)
        object->Saved();
    m_history.MarkSaved();
    return true;
}

bool CQLNReportPage::Load(const std::wstring& path, std::wstring& error)
{
    CloseAll();
    m_strLoadNote.clear();
    ComPtr<IStorage> root;
    if (!CQLNPageFile::Open(path, root, error))
        return false;
    if (!ReadPage(root.Get(), error)) {
        error = path + L": " + error;
        CloseAll();
        m_paper = Paper::A4;
        m_bLandscape = false;
        m_nMargin = 2000;
        m_strLoadNote.clear();
        m_nRTPrecision = s_nNewPageRTPrecision;
        return false;
    }
    if (!m_strLoadNote.empty()) {
        m_strLoadNote = path + L": " + m_strLoadNote;
        // The page shown is not the file's until it is saved.
        m_history.MarkUnsaved();
    }
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
    CQLNPageStream::Page description;
    if (!CQLNPageStream::Read(bytes, description, error))
        return false;
    m_paper = static_cast<Paper>(description.nPaper);
    m_bLandscape = description.bLandscape;
    m_nMargin = description.nMargin;
    m_nRTPrecision = description.nRTPrecision;
    std::vector<RECT> places;
    for (const CQLNPageStream::Place& place : description.places)
        places.push_back(RECT{place.left, place.top, place.right, place.bottom});
    // A place off the paper, wholly or in part, is where another program (or an older one) left
    // the object: it is shown on the paper, and the person told, rather than the page refused.
    std::wstring moved;
    size_t nMoved = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        const RECT rcKept = Clamp(places[i]);
        if (::EqualRect(&rcKept, &places[i]))
            continue;
        places[i] = rcKept;
        moved += (nMoved++ == 0 ? L"" : L", ") + std::to_wstring(i + 1);
    }
    if (nMoved == 1)
        m_strLoadNote = L"object " + moved + L" lay outside the paper and was moved onto it";
    else if (nMoved > 1)
        m_strLoadNote = L"objects " + moved + L" lay outside the paper and were moved onto it";
    for (size_t i = 0; i < places.size(); ++i) {
        ComPtr<IStorage> storage;
        const HRESULT hr = pRoot->OpenStorage(StorageName(i).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage);
        if (FAILED(hr)) {
            error = L"object " + std::to_wstring(i + 1) + L" is missing: " + CQLNTextObjError::Describe(hr);
            return false;
        }
        ComPtr<CQLNPageObject> object = CQLNPageObject::Load(storage.Get(), m_pContainer, m_nRTPrecision, error);
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

long CQLNReportPage::ToHimetric(long nPixels, int nZoom)
{
    return ::MulDiv(nPixels, 2540 * 100, ScreenDpi() * nZoom);
}

void CQLNReportPage::DrawPaper(HDC hdc, POINT origin, int nZoom) const
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
}

void CQLNReportPage::Draw(HDC hdc, POINT origin, int nZoom, std::wstring& error) const
{
    DrawPaper(hdc, origin, nZoom);
    const CQLNPageScale scale = CQLNPageScale::Screen(nZoom, origin);
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
