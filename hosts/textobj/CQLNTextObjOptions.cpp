#include "CQLNTextObjOptions.h"

#include <cerrno>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace {

bool ParseSize(const std::wstring& text, int& width, int& height)
{
    int w = 0, h = 0;
    wchar_t x = 0, rest = 0;
    if (swscanf(text.c_str(), L"%d%lc%d%lc", &w, &x, &h, &rest) != 3 || (x != L'x' && x != L'X'))
        return false;
    // The picture's limits: what the PNG writer accepts.
    if (w < 1 || h < 1 || w > 16384 || h > 16384)
        return false;
    width = w;
    height = h;
    return true;
}

bool ParseZoom(const std::wstring& text, double& zoom)
{
    wchar_t* end = nullptr;
    errno = 0;
    const double z = std::wcstod(text.c_str(), &end);
    if (text.empty() || errno != 0 || end != text.c_str() + text.size() || !std::isfinite(z) || z <= 0 || z > 100)
        return false;
    zoom = z;
    return true;
}

// Whole numbers within the bounds, nothing after them.
bool ParseWhole(const std::wstring& text, int nMin, int nMax, int& result)
{
    int n = 0;
    wchar_t rest = 0;
    if (swscanf(text.c_str(), L"%d%lc", &n, &rest) != 1 || n < nMin || n > nMax)
        return false;
    result = n;
    return true;
}

bool ParseDpi(const std::wstring& text, int& dpi)
{
    return ParseWhole(text, 24, 2400, dpi);
}

} // namespace

bool CQLNTextObjOptions::Parse(int argc, wchar_t** argv, std::wstring& error)
{
    bool bAnyAction = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--lines") {
            m_bPrintLines = bAnyAction = true;
            continue;
        }
        if (option == L"--print") {
            m_bPrint = bAnyAction = true;
            continue;
        }
        if (option == L"--placements") {
            m_bPlacements = true;
            continue;
        }
        if (option == L"--properties") {
            m_bProperties = bAnyAction = true;
            continue;
        }
        if (option == L"-h" || option == L"--help" || option.compare(0, 2, L"--") != 0) {
            error = option == L"-h" || option == L"--help" ? L"" : L"unexpected argument " + option;
            return false;
        }
        // An empty value ("--save """) names no file and no property: as missing as none at all.
        if (i + 1 >= argc || argv[i + 1][0] == L'\0') {
            error = option + L" needs a value";
            return false;
        }
        const std::wstring value = argv[++i];
        if (option == L"--progid") {
            m_strProgId = value;
        } else if (option == L"--load") {
            m_strLoad = value;
        } else if (option == L"--set") {
            const size_t eq = value.find(L'=');
            if (eq == std::wstring::npos || eq == 0) {
                error = L"--set takes Name=value, not " + value;
                return false;
            }
            m_setProperties.emplace_back(value.substr(0, eq), value.substr(eq + 1));
        } else if (option == L"--shot") {
            m_strShots = value;
            bAnyAction = true;
        } else if (option == L"--resolve") {
            m_strResolve = value;
            bAnyAction = true;
        } else if (option == L"--draw") {
            m_strEmf = value;
            bAnyAction = true;
        } else if (option == L"--png") {
            m_strPng = value;
            bAnyAction = true;
        } else if (option == L"--size") {
            if (!ParseSize(value, m_nWidth, m_nHeight)) {
                error = L"--size takes WIDTHxHEIGHT in pixels, each 1 to 16384, not " + value;
                return false;
            }
        } else if (option == L"--zoom") {
            if (!ParseZoom(value, m_dZoom)) {
                error = L"--zoom takes a number above 0 and at most 100, not " + value;
                return false;
            }
        } else if (option == L"--dpi") {
            if (!ParseDpi(value, m_nDpi)) {
                error = L"--dpi takes a whole number of dots per inch, 24 to 2400, not " + value;
                return false;
            }
        } else if (option == L"--rt-precision") {
            if (!ParseWhole(value, 0, kMaxRTPrecision, m_nRTPrecision)) {
                error = L"--rt-precision takes a number of decimals, 0 to " + std::to_wstring(kMaxRTPrecision) +
                        L", not " + value;
                return false;
            }
        } else if (option == L"--pdf") {
            m_strPdf = value;
            bAnyAction = true;
        } else if (option == L"--ps") {
            m_strPostScript = value;
            bAnyAction = true;
        } else if (option == L"--printer") {
            m_strPrinter = value;
        } else if (option == L"--paper") {
            if (value != L"A4" && value != L"Letter") {
                error = L"--paper takes A4 or Letter, not " + value;
                return false;
            }
            m_strPaper = value;
        } else if (option == L"--save") {
            m_strSave = value;
            bAnyAction = true;
        } else {
            error = L"unknown option " + option;
            return false;
        }
    }
    if (m_nDpi != 0 && m_strPng.empty()) {
        error = L"--dpi is the resolution of the --png picture; there is none";
        return false;
    }
    if ((m_bPrint ? 1 : 0) + (m_strPdf.empty() ? 0 : 1) + (m_strPostScript.empty() ? 0 : 1) > 1) {
        error = L"--print, --pdf and --ps each print a page: give one of them";
        return false;
    }
    if (!WantsPrint() && (!m_strPrinter.empty() || !m_strPaper.empty() || m_bPlacements)) {
        error = L"--printer, --paper and --placements go with --print, --pdf or --ps";
        return false;
    }
    if (!bAnyAction)
        m_bPrintLines = true;
    return true;
}

bool CQLNTextObjOptions::IsTextBagName(const std::wstring& path)
{
    if (path.size() < 4)
        return false;
    std::wstring ext = path.substr(path.size() - 4);
    for (wchar_t& c : ext)
        c = static_cast<wchar_t>(std::towlower(c));
    return ext == L".txt" || ext == L".bag";
}

const wchar_t* CQLNTextObjOptions::Usage()
{
    return L"usage: textobj [--progid PROGID] [--rt-precision N] [--load FILE] [--set Name=value]...\n"
           L"               [--properties] [--shot DIR]\n"
           L"               [--lines] [--resolve DATA] [--draw OUT.emf] [--png OUT.png]\n"
           L"               [--size WIDTHxHEIGHT] [--zoom Z] [--dpi DPI]\n"
           L"               [--print | --pdf OUT.pdf | --ps OUT.ps] [--printer NAME]\n"
           L"               [--paper A4|Letter] [--placements] [--save FILE]\n"
           L"\n"
           L"  --progid   the report object to create (default QLNSample.TextCtrl; also\n"
           L"             QLNSample.PeakTable, QLNSample.Annotation)\n"
           L"  --rt-precision  the decimals of time values ({RT}, {Width}, ...) in the lines\n"
           L"             of a new control, as the data system sets them for its process\n"
           L"  --load     a property set: a readable text bag (.txt, .bag) or a binary stream\n"
           L"             (any other name); without it the control starts afresh\n"
           L"  --set      writes a property by name; the control converts the text\n"
           L"  --properties  opens the control's property sheet for the user; what follows\n"
           L"             sees the changes\n"
           L"  --shot     writes a picture of each page of the sheet into DIR (page-1.png, ...),\n"
           L"             then closes it, or leaves it to the user with --properties\n"
           L"  --lines    prints the lines (a table's columns), one per line, as UTF-8 (the\n"
           L"             default action)\n"
           L"  --resolve  prints the lines with the values of a Name=value data file (or of a\n"
           L"             chromatography result, FILE.cdf) in place\n"
           L"             of their {Name} items, numbers with each line's decimals; a table\n"
           L"             prints its columns, then a row a line (cells between tabs) from the\n"
           L"             file's Row1.Name, Row2.Name, ... values, and draws those rows\n"
           L"  --draw     draws into an enhanced metafile; --png writes a picture of it\n"
           L"  --size     the drawing's size in pixels (default 600x800); --zoom its zoom (1)\n"
           L"  --dpi      draws the picture at that resolution, for print: the drawing's size\n"
           L"             stays the same on paper, its text laid out as on the screen\n"
           L"  --print    prints the object on one page of the default printer, at its size\n"
           L"             within the printable area, its text measured on that printer; with\n"
           L"             --resolve the page shows the values in place of the items\n"
           L"  --pdf      prints the same page to a PDF file (PostScript through Ghostscript);\n"
           L"             --ps to a PostScript file\n"
           L"  --printer  prints on the printer of that name instead of the default one\n"
           L"  --paper    the paper size, replacing the printer's own setting\n"
           L"  --placements  lists each text printed: its left, top (points from the paper's\n"
           L"             corner) and the text, tab-separated\n"
           L"  --save     saves the property set, as a text bag (.txt, .bag) or a binary stream\n";
}
