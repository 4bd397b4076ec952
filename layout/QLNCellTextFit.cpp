#include "QLNCellTextFit.h"
#include "AfxSaturate.h"

namespace {

bool IsBreak(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r';
}

// The white space that leading and trailing trimming removes (as CString::Trim does).
bool IsTrimmed(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L'\v' || ch == L'\f';
}

// What one text line has measured so far. Widths grow with the number of characters, so a
// prefix no longer than one that fitted fits, and one no shorter than one that overflowed
// overflows: the halving asks only about lengths in between. The answers are the ones
// measuring would have given; only the number of measurements changes.
class CMeasuredPrefixes
{
public:
    CMeasuredPrefixes(CQLNCellTextFit::Surface& surface, const wchar_t* pch, long nLimit)
        : m_surface(surface), m_pch(pch), m_nLimit(nLimit)
    {
    }

    // Width of the first n characters compared with the limit: <0, 0 or >0.
    int Compare(int n, long& nHeight)
    {
        if (m_nShorter > 0 && n <= m_nShorter) {
            nHeight = m_nHeight;
            return -1;
        }
        if (m_nLonger > 0 && n >= m_nLonger) {
            nHeight = m_nHeight;
            return 1;
        }
        const long cx = Width(n);
        nHeight = m_nHeight;
        if (cx < m_nLimit) {
            m_nShorter = n;
            return -1;
        }
        if (cx > m_nLimit) {
            m_nLonger = n;
            return 1;
        }
        return 0;
    }

    // Width of the first n characters, measured once.
    long Width(int n)
    {
        for (int i = 0; i < m_nKnown; ++i)
            if (m_known[i].n == n)
                return m_known[i].cx;
        const SIZE size = m_surface.MeasureText(m_pch, n);
        m_nHeight = size.cy;
        if (m_nKnown < kMaxKnown)
            m_known[m_nKnown++] = {n, size.cx};
        return size.cx;
    }

    long Height() const { return m_nHeight; }

private:
    struct Known { int n; long cx; };
    // Halving a length that fits in an int measures at most 32 times; a probe adds one.
    static const int kMaxKnown = 40;

    CQLNCellTextFit::Surface& m_surface;
    const wchar_t* m_pch;
    long m_nLimit;
    int m_nShorter = 0;
    int m_nLonger = 0;
    long m_nHeight = 0;
    Known m_known[kMaxKnown];
    int m_nKnown = 0;
};

int Halve(CMeasuredPrefixes& prefixes, int nLength, long& nHeight)
{
    int n = (nLength + 1) / 2;
    int low = 1;
    int high = nLength;
    if (nLength > 1) {
        do {
            const int cmp = prefixes.Compare(n, nHeight);
            if (cmp > 0) {
                n = n - 1;
                high = n;
            } else if (cmp < 0) {
                low = n + 1;
            } else {
                low = high = n;
            }
            n = (low + high) / 2;
        } while (low < high);
    }
    return n < 1 ? 1 : n;
}

} // namespace

int CQLNCellTextFit::FitByHalving(Surface& surface, const wchar_t* pch, int nLength, long nLimit, long& nHeight)
{
    if (!pch || nLength < 1)
        return 0;
    CMeasuredPrefixes prefixes(surface, pch, nLimit);
    return Halve(prefixes, nLength, nHeight);
}

bool CQLNCellTextFit::IsBlank(const wchar_t* pch, int nLength)
{
    for (int i = 0; pch != nullptr && i < nLength; ++i)
        if (!IsTrimmed(pch[i]))
            return false;
    return true;
}

int CQLNCellTextFit::BreakAtWhiteSpace(const wchar_t* pch, int nLength, int nFit)
{
    if (!pch || nFit >= nLength)
        return nFit;
    for (int k = nFit; k >= 1; --k)
        if (IsBreak(pch[k]))
            return k;
    return nFit;
}

POINT CQLNCellTextFit::Flow(Surface& surface, const RECT& rcArea, POINT ptStart, const CString& strText,
                            SIZE sizeA, int bDraw)
{
    POINT ptEnd = {0, 0};
    const long nAvailable = AfxSaturateInt(static_cast<long long>(rcArea.right) - rcArea.left - sizeA.cx);
    long nOffset = AfxSaturateSub(ptStart.x, rcArea.left);
    long y = ptStart.y;
    if (nOffset >= nAvailable) {
        nOffset = 0;
        y = AfxSaturateAdd(ptStart.y, sizeA.cy);
    }

    const wchar_t* s = strText.GetString();
    const wchar_t* const pEnd = s + strText.GetLength();
    while (s < pEnd && IsTrimmed(*s))
        ++s;

    bool bFirst = true;
    int nPrevious = 0;
    while (s < pEnd) {
        const int nLength = static_cast<int>(pEnd - s);
        const long nLimit = AfxSaturateSub(nAvailable, nOffset);
        CMeasuredPrefixes prefixes(surface, s, nLimit);
        long h = 0;
        // The first text line measures the whole text without its trailing white space,
        // which gives the line height; a later one measures a little more than the previous
        // line took. A text that fits then needs no halving, and its measurement is also the
        // width of the piece drawn (the halving cannot end inside a text that fits, and the
        // blanks after it are a break); a long text halves only below the probe.
        int nTrimmed = nLength;
        while (nTrimmed > 1 && IsTrimmed(s[nTrimmed - 1]))
            --nTrimmed;
        const int nProbe = bFirst ? nTrimmed : (nPrevious > nLength / 2 ? nTrimmed : 2 * nPrevious + 1);
        prefixes.Compare(nProbe, h);
        int n = Halve(prefixes, nLength, h);
        h = prefixes.Height();
        n = BreakAtWhiteSpace(s, nLength, n);

        int nPiece = n;
        while (nPiece > 0 && IsTrimmed(s[nPiece - 1]))
            --nPiece;
        RECT rc;
        rc.left = AfxSaturateAdd(rcArea.left, nOffset);
        rc.top = y;
        rc.right = rcArea.right;
        const long nBottom = AfxSaturateAdd(y, h);
        rc.bottom = nBottom < rcArea.bottom ? nBottom : rcArea.bottom;
        const long cxPiece = nPiece > 0 ? prefixes.Width(nPiece) : 0;
        ptEnd.x = AfxSaturateAdd(rc.left, cxPiece);
        ptEnd.y = rc.bottom;
        // A piece whose rectangle is empty would be clipped away entirely.
        if (bDraw && rc.left < rc.right && rc.top < rc.bottom)
            surface.DrawPiece(rc, CString(s, nPiece));

        s += n;
        while (s < pEnd && IsTrimmed(*s))
            ++s;
        y = AfxSaturateAdd(y, h);
        nOffset = 0;
        bFirst = false;
        nPrevious = n;
    }
    return ptEnd;
}
