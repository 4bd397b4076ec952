#include "QLNTextFieldLines.h"

#include <cwchar>
#include <utility>

void CQLNTextFieldLines::SetText(CString text)
{
    // Cut aside: running out of memory leaves the text and its lines as they were.
    const wchar_t* const pch = text.GetString();
    const int length = static_cast<int>(wcsnlen(pch, static_cast<size_t>(text.GetLength())));
    std::vector<Line> lines;
    int start = 0;
    for (int i = 0; i + 1 < length; ++i) {
        if (pch[i] == L'\r' && pch[i + 1] == L'\n') {
            lines.push_back(Line{start, i - start});
            start = i + 2;
            ++i;
        }
    }
    lines.push_back(Line{start, length - start});
    m_text = std::move(text);
    m_lines = std::move(lines);
}

CString CQLNTextFieldLines::GetLine(long nLine) const
{
    if (nLine < 0 || nLine >= GetCount())
        return CString();
    const Line& line = m_lines[static_cast<size_t>(nLine)];
    return m_text.Mid(line.start, line.length < m_knMaxLineLength ? line.length : m_knMaxLineLength);
}
