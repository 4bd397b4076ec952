#include "CQLNPageHistory.h"

#include <algorithm>
#include <iterator>

bool CQLNPageHistory::Layout::operator==(const Layout& other) const
{
    // Objects compared by their pointers: this ComPtr has no comparison of its own, and two of
    // them compared directly compare as truth values, any object equal to any other.
    return nPaper == other.nPaper && bLandscape == other.bLandscape && nMargin == other.nMargin &&
           std::equal(objects.begin(), objects.end(), other.objects.begin(), other.objects.end(),
                      [](const Placed& a, const Placed& b) {
                          return a.object.Get() == b.object.Get() && ::EqualRect(&a.rcPlace, &b.rcPlace);
                      });
}

bool CQLNPageHistory::Layout::Holds(const CQLNPageObject* pObject) const
{
    return std::any_of(objects.begin(), objects.end(), [&](const Placed& p) { return p.object.Get() == pObject; });
}

bool CQLNPageHistory::Step::Holds(const CQLNPageObject* pObject) const
{
    return object.Get() == pObject || before.Holds(pObject) || after.Holds(pObject);
}

std::vector<CQLNPageHistory::Step> CQLNPageHistory::Record(Step step)
{
    std::vector<Step> dropped(std::make_move_iterator(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone)),
                              std::make_move_iterator(m_steps.end()));
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone), m_steps.end());
    // The file's state was among the steps undone: no undo or redo leads back to it now.
    if (m_nSaved != m_knNever && m_nSaved > m_nDone)
        m_nSaved = m_knNever;
    m_steps.push_back(std::move(step));
    ++m_nDone;
    if (m_steps.size() > m_knMostSteps) {
        dropped.push_back(std::move(m_steps.front()));
        m_steps.erase(m_steps.begin());
        --m_nDone;
        m_nSaved = m_nSaved == 0 || m_nSaved == m_knNever ? m_knNever : m_nSaved - 1;
    }
    return dropped;
}

std::wstring CQLNPageHistory::UndoName() const
{
    return CanUndo() ? m_steps[m_nDone - 1].strName : std::wstring();
}

std::wstring CQLNPageHistory::RedoName() const
{
    return CanRedo() ? m_steps[m_nDone].strName : std::wstring();
}

const CQLNPageHistory::Step* CQLNPageHistory::Undo()
{
    return CanUndo() ? &m_steps[--m_nDone] : nullptr;
}

const CQLNPageHistory::Step* CQLNPageHistory::Redo()
{
    return CanRedo() ? &m_steps[m_nDone++] : nullptr;
}

std::vector<CQLNPageHistory::Step> CQLNPageHistory::Clear()
{
    std::vector<Step> dropped = std::move(m_steps);
    m_steps.clear();
    m_nDone = 0;
    m_nSaved = 0;
    return dropped;
}

bool CQLNPageHistory::Holds(const CQLNPageObject* pObject) const
{
    return std::any_of(m_steps.begin(), m_steps.end(), [&](const Step& s) { return s.Holds(pObject); });
}
