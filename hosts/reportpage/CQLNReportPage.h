// A report page: its paper, orientation, margins and time decimals, and the objects placed on it,
// kept as a compound file: a stream "Page" with the page's setup and the objects' places, and one
// storage per object ("Object1", "Object2", ...) with its class identifier and its own data.
// Every change to the page's layout and objects is a step of its history, to be undone and redone.
#pragma once
#include "CQLNPageHistory.h"
#include "CQLNPageObject.h"
#include "CQLNPageStream.h"

#include <wrl/client.h>

#include <string>
#include <vector>

class CQLNReportPage
{
public:
    enum class Paper : unsigned { A4 = 0, Letter = 1 };

    // Lengths on the page are in 0.01 mm.
    static constexpr long m_klMinObjectSize = CQLNPageStream::m_knMinObjectSize;
    // The decimals of time values ({RT}, {Width}, ...) that the data system gives its reports
    // unless a person changes them, and the most a page takes.
    static constexpr long m_klDefaultRTPrecision = CQLNPageStream::m_knDefaultRTPrecision;
    static constexpr long m_klMaxRTPrecision = CQLNPageStream::m_knMaxRTPrecision;
    // What a new page starts with: the data system's setting, or the number the host was given.
    static inline long s_nNewPageRTPrecision = m_klDefaultRTPrecision;

    explicit CQLNReportPage(CQLNPageContainer* pContainer) : m_pContainer(pContainer) {}
    ~CQLNReportPage();
    CQLNReportPage(const CQLNReportPage&) = delete;
    CQLNReportPage& operator=(const CQLNReportPage&) = delete;

    // Reads a page file; on any failure the page is left empty and the message says what is
    // wrong with the file. An object that lies off the paper is moved onto it, which TakeLoadNote
    // then tells.
    bool Load(const std::wstring& path, std::wstring& error);
    // What the last Load changed to show the file's page, once; empty when nothing.
    std::wstring TakeLoadNote()
    {
        std::wstring note;
        note.swap(m_strLoadNote);
        return note;
    }
    // Writes the page through a temporary file, so that a failed save leaves the old file, and
    // the page and its objects marked modified.
    bool Save(const std::wstring& path, std::wstring& error);
    // Takes over the other page's setup, objects and history (a page loaded aside, once it loaded).
    void Swap(CQLNReportPage& other);

    Paper GetPaper() const { return m_paper; }
    bool IsLandscape() const { return m_bLandscape; }
    // A change of paper or orientation keeps the margins and every object on the new paper.
    void SetPaper(Paper paper, bool bLandscape);
    long Margin() const { return m_nMargin; }
    // The page's time decimals: its objects' classes are told them before the objects are made.
    long RTPrecision() const { return m_nRTPrecision; }
    // 0 to m_klMaxRTPrecision.
    void SetRTPrecision(long nRTPrecision);
    void SetMargin(long nMargin);
    // The page's size in 0.01 mm, as oriented.
    SIZE Size() const;
    // The page's printable area inside the margins.
    RECT MarginRect() const;

    const std::vector<Microsoft::WRL::ComPtr<CQLNPageObject>>& Objects() const { return m_objects; }
    bool Holds(const CQLNPageObject* pObject) const;
    // Where a newly inserted object goes: the first free place inside the margins.
    RECT NextPlace(SIZE size) const;
    // A place kept on the page and at least the smallest size.
    RECT Clamp(const RECT& rcPlace) const;

    void Insert(const Microsoft::WRL::ComPtr<CQLNPageObject>& object);
    void Remove(CQLNPageObject* pObject);
    // Moves or resizes to rcPlace (kept on the page); the place before is what an undo gives back.
    void Place(CQLNPageObject* pObject, const RECT& rcPlace, const RECT& rcBefore);
    // An edit of the object's own data (in its sheet, or in place) as one step: BeginEdit keeps
    // the data before, EndEdit records the step when the data after differs. pszName names it.
    void BeginEdit(CQLNPageObject* pObject, const wchar_t* pszName);
    void EndEdit(CQLNPageObject* pObject);

    const CQLNPageHistory& History() const { return m_history; }
    // Takes back the last step done, or does again the last one taken back. Returns the object
    // the step was about when it is on the page, else null; error says why data could not be
    // given back (the step then stays where it was).
    CQLNPageObject* Undo(std::wstring& error);
    CQLNPageObject* Redo(std::wstring& error);

    // Whether the page differs from its file: steps away from the one saved, or an object with
    // changes of its own.
    bool IsModified() const;
    // Closes every object and forgets the history: the page is empty afterwards.
    void Close() { CloseAll(); }

    // Draws the paper, its margins and every object onto hdc, the page's top left corner at
    // origin (device pixels) and at zoom percent of its size at the screen's resolution; each
    // object as it prints (CQLNPageObject::Show). An object active in place draws itself in its
    // own window and is left out.
    void Draw(HDC hdc, POINT origin, int nZoom, std::wstring& error) const;
    // The paper and its margins alone, as Draw shows them.
    void DrawPaper(HDC hdc, POINT origin, int nZoom) const;
    // Converts pixels at zoom percent of the screen's resolution to 0.01 mm on the page (the
    // other way is CQLNPageScale's).
    static long ToHimetric(long nPixels, int nZoom);
    static int ScreenDpi();

private:
    CQLNPageHistory::Layout CurrentLayout() const;
    // Puts the page as the layout has it; objects that leave the page are deactivated, and
    // every place is kept on the paper.
    void ApplyLayout(const CQLNPageHistory::Layout& layout);
    // Records the change from before to the page as it is now, when there is one.
    void RecordLayout(const wchar_t* pszName, CQLNPageObject* pObject, CQLNPageHistory::Layout before);
    void Record(CQLNPageHistory::Step step);
    // Closes the objects of steps let go that neither the page nor another step holds.
    void CloseDropped(std::vector<CQLNPageHistory::Step> dropped);
    CQLNPageObject* Apply(const CQLNPageHistory::Step& step, bool bUndo, std::wstring& error);
    void CloseAll();
    bool ReadPage(IStorage* pRoot, std::wstring& error);

    struct Edit
    {
        Microsoft::WRL::ComPtr<CQLNPageObject> object;
        std::wstring strName;
        std::string data;
        bool bModified = false;
    };

    CQLNPageContainer* m_pContainer;
    Paper m_paper = Paper::A4;
    bool m_bLandscape = false;
    long m_nMargin = 2000;
    long m_nRTPrecision = s_nNewPageRTPrecision;
    std::vector<Microsoft::WRL::ComPtr<CQLNPageObject>> m_objects;
    CQLNPageHistory m_history;
    Edit m_edit;
    std::wstring m_strLoadNote;
};
