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

} // namespace

CQLNOptionTable CQLNTextObjOptions::Table(bool& bAnyAction)
{
    using Repeat = CQLNOptionTable::Repeat;
    CQLNOptionTable table(L"usage: textobj [options]\r\n"
                          L"Creates a report object, writes the properties given, then prints its lines\r\n"
                          L"unless another action is asked for.\r\n");
    // A text option: the value kept as given; an action's also says there is something to do.
    auto text = [](std::wstring& out, bool* pbAction) {
        return [&out, pbAction](const std::wstring& value, std::wstring&) {
            out = value;
            if (pbAction != nullptr)
                *pbAction = true;
            return true;
        };
    };
    auto flag = [](bool& out, bool* pbAction) {
        return [&out, pbAction](const std::wstring&, std::wstring&) {
            out = true;
            if (pbAction != nullptr)
                *pbAction = true;
            return true;
        };
    };
    table.Add({L"--progid", L"PROGID", L"the report object to create (default QLNSample.TextCtrl; also\n"
                                       L"QLNSample.PeakTable, QLNSample.Annotation)", Repeat::Once, text(m_strProgId, nullptr)});
    table.Add({L"--rt-precision", L"N", L"the decimals of time values ({RT}, {Width}, ...) in the lines\n"
                                        L"of a new control, as the data system sets them for its process",
               Repeat::Once, [this](const std::wstring& value, std::wstring& error) {
                   if (ParseWhole(value, 0, kMaxRTPrecision, m_nRTPrecision))
                       return true;
                   error = L"--rt-precision takes a number of decimals, 0 to " + std::to_wstring(kMaxRTPrecision) + L", not " + value;
                   return false;
               }});
    table.Add({L"--load", L"FILE", L"a property set: a readable text bag (.txt, .bag) or a binary stream\n"
                                   L"(any other name); without it the control starts afresh", Repeat::Once, text(m_strLoad, nullptr)});
    table.Add({L"--set", L"Name=value", L"writes a property by name; the control converts the text", Repeat::Many,
               [this](const std::wstring& value, std::wstring& error) {
                   const size_t eq = value.find(L'=');
                   if (eq == std::wstring::npos || eq == 0) {
                       error = L"--set takes Name=value, not " + value;
                       return false;
                   }
                   m_setProperties.emplace_back(value.substr(0, eq), value.substr(eq + 1));
                   return true;
               }});
    table.Add({L"--properties", L"", L"opens the control's property sheet for the user; what follows\n"
                                     L"sees the changes", Repeat::Once, flag(m_bProperties, &bAnyAction)});
    table.Add({L"--shot", L"DIR", L"writes a picture of each page of the sheet into DIR (page-1.png, ...),\n"
                                  L"then closes it, or leaves it to the user with --properties", Repeat::Once, text(m_strShots, &bAnyAction)});
    table.Add({L"--lines", L"", L"prints the lines (a table's columns), one per line, as UTF-8 (the\n"
                                L"default action)", Repeat::Once, flag(m_bPrintLines, &bAnyAction)});
    table.Add({L"--resolve", L"DATA", L"prints the lines with the values of a Name=value data file (or of a\n"
                                      L"chromatography result, FILE.cdf) in place of their {Name} items,\n"
                                      L" numbers with each line's decimals; a table\n"
                                      L"prints its columns, then a row a line (cells between tabs) from the\n"
                                      L"file's Row1.Name, Row2.Name, ... values, and draws those rows",
               Repeat::Once, text(m_strResolve, &bAnyAction)});
    table.Add({L"--draw", L"OUT.emf", L"draws into an enhanced metafile", Repeat::Once, text(m_strEmf, &bAnyAction)});
    table.Add({L"--png", L"OUT.png", L"writes a picture of the drawing", Repeat::Once, text(m_strPng, &bAnyAction)});
    table.Add({L"--size", L"WIDTHxHEIGHT", L"the drawing's size in pixels (default 600x800)", Repeat::Once,
               [this](const std::wstring& value, std::wstring& error) {
                   if (ParseSize(value, m_nWidth, m_nHeight))
                       return true;
                   error = L"--size takes WIDTHxHEIGHT in pixels, each 1 to 16384, not " + value;
                   return false;
               }});
    table.Add({L"--zoom", L"Z", L"the drawing's zoom (default 1)", Repeat::Once, [this](const std::wstring& value, std::wstring& error) {
                   if (ParseZoom(value, m_dZoom))
                       return true;
                   error = L"--zoom takes a number above 0 and at most 100, not " + value;
                   return false;
               }});
    table.Add({L"--dpi", L"DPI", L"draws the picture at that resolution, for print: the drawing's size\n"
                                 L"stays the same on paper, its text laid out as on the screen",
               Repeat::Once, [this](const std::wstring& value, std::wstring& error) {
                   if (ParseWhole(value, 24, 2400, m_nDpi))
                       return true;
                   error = L"--dpi takes a whole number of dots per inch, 24 to 2400, not " + value;
                   return false;
               }});
    table.Add({L"--print", L"", L"prints the object on one page of the default printer, at its size\n"
                                L"within the printable area, its text measured on that printer; with\n"
                                L"--resolve the page shows the values in place of the items",
               Repeat::Once, flag(m_bPrint, &bAnyAction)});
    table.Add({L"--pdf", L"OUT.pdf", L"prints the same page to a PDF file (PostScript through Ghostscript)", Repeat::Once,
               text(m_strPdf, &bAnyAction)});
    table.Add({L"--ps", L"OUT.ps", L"prints the same page to a PostScript file", Repeat::Once, text(m_strPostScript, &bAnyAction)});
    table.Add({L"--printer", L"NAME", L"prints on the printer of that name instead of the default one", Repeat::Once,
               text(m_strPrinter, nullptr)});
    table.Add({L"--paper", L"A4|Letter", L"the paper size, replacing the printer's own setting", Repeat::Once,
               [this](const std::wstring& value, std::wstring& error) {
                   if (value != L"A4" && value != L"Letter") {
                       error = L"--paper takes A4 or Letter, not " + value;
                       return false;
                   }
                   m_strPaper = value;
                   return true;
               }});
    table.Add({L"--placements", L"", L"lists each text printed: its left, top (points from the paper's\n"
                                     L"corner) and the text, tab-separated", Repeat::Once, flag(m_bPlacements, nullptr)});
    table.Add({L"--save", L"FILE", L"saves the property set, as a text bag (.txt, .bag) or a binary stream", Repeat::Once,
               text(m_strSave, &bAnyAction)});
    return table;
}

bool CQLNTextObjOptions::Parse(int argc, wchar_t** argv, std::wstring& error)
{
    bool bAnyAction = false;
    if (Table(bAnyAction).Parse(argc, argv, error) != CQLNOptionTable::Outcome::Parsed)
        return false;
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

std::wstring CQLNTextObjOptions::Usage()
{
    bool bAnyAction = false;
    CQLNTextObjOptions options;
    return options.Table(bAnyAction).Usage();
}
