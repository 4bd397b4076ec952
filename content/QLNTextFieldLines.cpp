#include "QLNTextFieldLines.h"

#include <cwchar>

void CQLNTextFieldLines::SetText(const CString& text)
{
    const int length = static_cast<int>(wcsnlen(text.GetString(), static_cast<size_t>(text.GetLength())));
    m_text = text.Left(length);
    m_lines.clear();
    const wchar_t* const pch = m_text.GetString();
    int start = 0;
    for (int i = 0; i + 1 < length; ++i) {
        if (pch[i] == L'\r' && pch[i + 1] == L'\n') {
            m_lines.push_back(Line{start, i - start});
            start = i + 2;
            ++i;
        }
    }
    m_lines.push_back(Line{start, length - start});
}

CString CQLNTextFieldLines::GetLine(long nLine) const
{
    if (nLine < 0 || nLine >= GetCount())
        return CString();
    const Line& line = m_lines[static_cast<size_t>(nLine)];
    return m_text.Mid(line.start, line.length < m_knMaxLineLength ? line.length : m_knMaxLineLength);
}
