#include "QLNTextFieldLines.h"

#include <cwchar>

void CQLNTextFieldLines::SetText(const CString& text)
{
    // The window text stops at the first zero character.
    const int length = static_cast<int>(wcsnlen(text.GetString(), static_cast<size_t>(text.GetLength())));
    m_text = text.Left(length);
    m_lines.clear();
    const wchar_t* const pch = m_text.GetString();
    int start = 0;
    for (const wchar_t* pLf; (pLf = wmemchr(pch + start, L'\n', static_cast<size_t>(length - start))) != nullptr;) {
        const int lf = static_cast<int>(pLf - pch);
        int end = lf;
        if (end > start && pch[end - 1] == L'\r') {
            --end;
            if (end > start && pch[end - 1] == L'\r')
                --end;
        }
        m_lines.push_back(Line{start, end - start});
        start = lf + 1;
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
