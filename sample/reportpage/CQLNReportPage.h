// A report page: its paper, orientation and margins, and the objects placed on it, kept as a
// compound file: a stream "Page" with the page's setup and the objects' places, and one storage
// per object ("Object1", "Object2", ...) with its class identifier and its own data. The last
// move, resize, insertion or removal can be undone.
#pragma once
#include "CQLNPageObject.h"

#include <wrl/client.h>

#include <string>
#include <vector>

class CQLNReportPage
{
public:
    enum class Paper : unsigned { A4 = 0, Letter = 1 };

    // Lengths on the page are in 0.01 mm.
    static constexpr long m_klMinObjectSize = 500;

    explicit CQLNReportPage(CQLNPageContainer* pContainer) : m_pContainer(pContainer) {}
    ~CQLNReportPage();
    CQLNReportPage(const CQLNReportPage&) = delete;
    CQLNReportPage& operator=(const CQLNReportPage&) = delete;

    // Reads a page file; on any failure the page is left empty and the message says what is
    // wrong with the file.
    bool Load(const std::wstring& path, std::wstring& error);
    // Writes the page through a temporary file, so that a failed save leaves the old file.
    bool Save(const std::wstring& path, std::wstring& error);
    // Takes over the other page's setup and objects (a page loaded aside, once it loaded).
    void Swap(CQLNReportPage& other);

    Paper GetPaper() const { return m_paper; }
    bool IsLandscape() const { return m_bLandscape; }
    void SetPaper(Paper paper, bool bLandscape);
    long Margin() const { return m_nMargin; }
    void SetMargin(long nMargin);
    // The page's size in 0.01 mm, as oriented.
    SIZE Size() const;
    // The page's printable area inside the margins.
    RECT MarginRect() const;

    const std::vector<Microsoft::WRL::ComPtr<CQLNPageObject>>& Objects() const { return m_objects; }
    // Where a newly inserted object goes: the first free place inside the margins.
    RECT NextPlace(SIZE size) const;
    // A place kept on the page and at least the smallest size.
    RECT Clamp(const RECT& rcPlace) const;

    void Insert(const Microsoft::WRL::ComPtr<CQLNPageObject>& object);
    void Remove(CQLNPageObject* pObject);
    // Moves or resizes; the place before is what an undo gives back.
    void Place(CQLNPageObject* pObject, const RECT& rcPlace, const RECT& rcBefore);
    bool CanUndo() const { return m_undo.kind != Undo::None; }
    // The object the undo touched, or null.
    CQLNPageObject* UndoLast();

    bool IsModified() const;
    // Closes every object and forgets the undo: the page is empty afterwards.
    void Close() { CloseAll(); }
    void SetModified() { m_bModified = true; }

    // Draws the paper, its margins and every object onto hdc, the page's top left corner at
    // origin (device pixels) and at zoom percent of its size at the screen's resolution; each
    // object as it prints (CQLNPageObject::Show). An object active in place draws itself in its
    // own window and is left out.
    void Draw(HDC hdc, POINT origin, int nZoom, std::wstring& error) const;
    // Converts between 0.01 mm on the page and pixels at zoom percent of the screen's resolution.
    static long ToPixels(long nHimetric, int nZoom);
    static long ToHimetric(long nPixels, int nZoom);
    static int ScreenDpi();

private:
    struct Undo
    {
        enum Kind { None, Place, Insert, Remove } kind = None;
        Microsoft::WRL::ComPtr<CQLNPageObject> object;
        RECT rcBefore = {0, 0, 0, 0};
        size_t nIndex = 0;
    };
    void SetUndo(Undo undo);
    void CloseAll();
    bool ReadPage(IStorage* pRoot, std::wstring& error);

    CQLNPageContainer* m_pContainer;
    Paper m_paper = Paper::A4;
    bool m_bLandscape = false;
    long m_nMargin = 2000;
    std::vector<Microsoft::WRL::ComPtr<CQLNPageObject>> m_objects;
    Undo m_undo;
    bool m_bModified = false;
};
