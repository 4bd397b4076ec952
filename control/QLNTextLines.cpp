#include "QLNTextLines.h"

void CQLNTextLines::SetText(const CString& text)
{
    m_text = text;
    m_starts.assign(1, 0);
    for (int at = 0; (at = m_text.Find(L"\r\n", at)) >= 0; at += 2)
        m_starts.push_back(at + 2);
}

CString CQLNTextLines::GetLine(long nLine, int nMaxLength) const
{
    if (nLine < 0 || nLine >= GetCount() || nMaxLength <= 0)
        return CString();
    const int start = m_starts[static_cast<size_t>(nLine)];
    const int end = nLine + 1 < GetCount() ? m_starts[static_cast<size_t>(nLine) + 1] - 2 : m_text.GetLength();
    const int length = end - start < nMaxLength ? end - start : nMaxLength;
    return m_text.Mid(start, length);
}
