// A text-field string and its lines, the one cut that the host's GetLine and GetLineCount, the
// drawing pass and the data page share, so that they always see the same lines. It holds the
// text itself, once: the lines are bounds over it.
//
// The rules:
// - A line ends at a carriage return followed by a line feed, the only break the writers of
//   text fields put between lines. Nothing else breaks a line: a lone line feed ("a\nb") and a
//   lone carriage return ("a\rb") stay in their line, and of "a\r\r\nb" only the last
//   carriage return belongs to the break, giving "a\r" and "b". (An edit window under Wine
//   also breaks at a lone line feed and swallows the extra carriage return of "\r\r\n"; the
//   lines here do not follow it.)
// - An empty text is one empty line; a break at the end is followed by one more, empty, line.
// - A line is handed out through a read buffer of 32767 characters: at most 32766 of them.
// - The lines end at the text's first zero character, as a window text does; the text itself
//   is kept whole, so what was given is given back.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"
#include "QLNStringTokenizer.h"

#include <vector>

class QLN_BASE_API CQLNTextFieldLines
{
public:
    // The most characters of one line handed out: the read buffer less its terminating zero.
    static constexpr int m_knMaxLineLength = CQLNStringTokenizer::m_knStringLength - 1;

    void SetText(CString text);
    // The text as given to SetText, zero characters and all.
    const CString& GetText() const { return m_text; }
    // At least 1.
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    // Line nLine cut at m_knMaxLineLength characters; empty for a number that is not a line.
    CString GetLine(long nLine) const;

private:
    struct Line
    {
        int start;
        int length;
    };

    CString m_text;
    std::vector<Line> m_lines{Line{0, 0}};
};
