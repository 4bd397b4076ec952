// The lines of a text-field string as a multi-line edit window that never wraps sees them:
// pieces between carriage return plus line feed, an empty text being one empty line.
//
// The line starts are found once per text, so reading every line of a long text takes time in
// proportion to its length; an edit window walks its lines again for every line it hands out.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"

#include <vector>

class QLN_BASE_API CQLNTextLines
{
public:
    void SetText(const CString& text);
    int GetCount() const { return static_cast<int>(m_starts.size()); }
    // Line nLine cut at nMaxLength characters; empty for a number that is not a line.
    CString GetLine(long nLine, int nMaxLength) const;

private:
    CString m_text;
    std::vector<int> m_starts{0};
};
