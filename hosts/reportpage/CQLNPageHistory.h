// The steps a person took on a report page, to be taken back and done again: a change of the
// page's layout (its paper, orientation, margins and which objects lie where) is kept as the
// layout before and after it; a change of an object's own data (in its sheet or in place) as its
// saved data before and after. The history knows which step the page's file holds, so that the
// page counts as unchanged when undo or redo brings it back there. It applies nothing itself:
// the page does.
#pragma once
#include "CQLNPageObject.h"

#include <wrl/client.h>

#include <string>
#include <vector>

class CQLNPageHistory
{
public:
    // The steps kept; the oldest goes when one more is recorded.
    static constexpr size_t m_knMostSteps = 100;

    struct Placed
    {
        Microsoft::WRL::ComPtr<CQLNPageObject> object;
        RECT rcPlace;
    };
    struct Layout
    {
        unsigned nPaper = 0;
        bool bLandscape = false;
        long nMargin = 0;
        // In the order they are drawn.
        std::vector<Placed> objects;
        bool operator==(const Layout& other) const;
        bool Holds(const CQLNPageObject* pObject) const;
    };
    struct Step
    {
        enum class Kind { Layout, Data } kind = Kind::Layout;
        // What the menu calls it: "Move", "Insert", "Paper", ...
        std::wstring strName;
        // The object the step is about, selected when it is undone or redone; null for the page.
        Microsoft::WRL::ComPtr<CQLNPageObject> object;
        Layout before, after;
        std::string dataBefore, dataAfter;
        // Whether the object's data held changes that no step accounts for and the file did not
        // have, before and after.
        bool bModifiedBefore = false, bModifiedAfter = false;
        bool Holds(const CQLNPageObject* pObject) const;
    };

    // A step just done: the steps undone before it can no longer be redone, and the oldest
    // beyond the most kept is forgotten. Returns the steps let go.
    std::vector<Step> Record(Step step);
    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    // The name of the step Undo or Redo would take; empty when there is none.
    std::wstring UndoName() const;
    std::wstring RedoName() const;
    // The step to take back (or to do again), counted as taken back (or done) from now on; null
    // when there is none.
    const Step* Undo();
    const Step* Redo();
    // Forgets every step; the page as it is counts as saved.
    std::vector<Step> Clear();
    // The page as it is now is what its file holds.
    void MarkSaved() { m_nSaved = m_nDone; }
    // The page as it is now differs from its file, whatever undo and redo do.
    void MarkUnsaved() { m_nSaved = m_knNever; }
    bool IsAtSaved() const { return m_nSaved == m_nDone; }
    // Whether a step kept holds the object.
    bool Holds(const CQLNPageObject* pObject) const;

private:
    static constexpr size_t m_knNever = static_cast<size_t>(-1);
    // Steps done come first, then the steps undone that can be redone, the next one first.
    std::vector<Step> m_steps;
    size_t m_nDone = 0;
    size_t m_nSaved = 0;
};
