// The lines of a text-field string exactly as the line holder, a multi-line edit window that
// never wraps (styles 0x18C4, no text limit), reports them through EM_GETLINECOUNT and
// EM_GETLINE, so that the host's GetLine and the drawing pass see the same lines without
// asking the window: the window walks its lines again for every line it hands out.
//
// What the edit window does, seen under Wine with a read buffer of 32767 and a capacity of
// 32766:
// - A line ends at a line feed. A carriage return just before it belongs to the break, and so
//   does one more carriage return before that one (the soft break "\r\r\n"): "a\r\r\nb" is
//   "a" and "b", "a\r\r\r\nb" is "a\r" and "b". A lone line feed breaks too ("a\nb", and
//   "a\n\rb" is "a" and "\rb"); a lone carriage return stays in its line ("a\rb", "a\r"). The
//   writers of text fields only ever put "\r\n" between lines.
// - An empty text is one empty line; a break at the end is followed by one more, empty, line.
// - EM_GETLINE copies at most the capacity, 32766 characters, and then writes no terminating
//   zero; a number that is not a line copies nothing and returns 0.
// - WM_SETTEXT keeps a text longer than the default limit of 30000 characters whole (the limit
//   only stops typing); lines of 40,000 and texts of a million characters are held as they are.
// - The window text ends at the first zero character; the rest of the string is not there.
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

    void SetText(const CString& text);
    // As EM_GETLINECOUNT: at least 1.
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    // As EM_GETLINE: line nLine cut at m_knMaxLineLength characters; empty for a number that is
    // not a line.
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
