#include "CQLNPageOptions.h"

#include <cwchar>

namespace {

// A whole number within the bounds, else the message that names what the option takes.
bool ParseWhole(const std::wstring& name, const std::wstring& value, long nMin, long nMax, const std::wstring& takes,
                long& n, std::wstring& error)
{
    wchar_t* end = nullptr;
    const long parsed = std::wcstol(value.c_str(), &end, 10);
    if (*end != 0 || parsed < nMin || parsed > nMax) {
        error = name + L" takes " + takes + L", not " + value;
        return false;
    }
    n = parsed;
    return true;
}

} // namespace

CQLNOptionTable CQLNPageOptions::Table()
{
    using Repeat = CQLNOptionTable::Repeat;
    CQLNOptionTable table(L"Usage: reportpage [PAGE.qrp] [options]\r\n"
                          L"Without --save, --list, --png or --pdf the page opens in a window (a new page when\r\n"
                          L"the file does not exist yet; when it is no readable page, a message says why and a\r\n"
                          L"new untitled page opens, except with --shot, which fails).\r\n"
                          L"Exit codes: 0 done, 1 a file, an object or the printer failed, 2 a bad command line.\r\n");
    table.SetOperand(L"PAGE.qrp", [this](const std::wstring& value, std::wstring& error) {
        if (!m_strPage.empty()) {
            error = L"only one page at a time: " + value;
            return false;
        }
        m_strPage = value;
        return true;
    });
    auto text = [](std::wstring& out) {
        return [&out](const std::wstring& value, std::wstring&) {
            out = value;
            return true;
        };
    };
    auto flag = [](bool& out) {
        return [&out](const std::wstring&, std::wstring&) {
            out = true;
            return true;
        };
    };
    table.Add({L"--insert", L"PROGID", L"place a new object of the class on the page", Repeat::Many,
               [this](const std::wstring& value, std::wstring&) {
                   m_inserts.push_back(value);
                   return true;
               }});
    table.Add({L"--insert-all", L"", L"place one object of every registered report-object class", Repeat::Once, flag(m_bInsertAll)});
    table.Add({L"--paper", L"a4|letter", L"the page's paper", Repeat::Once, [this](const std::wstring& value, std::wstring& error) {
                   if (value != L"a4" && value != L"letter") {
                       error = L"--paper takes a4 or letter, not " + value;
                       return false;
                   }
                   m_strPaper = value;
                   return true;
               }});
    table.Add({L"--landscape", L"", L"turns the page's paper", Repeat::Once, flag(m_bLandscape)});
    table.Add({L"--rt-precision", L"N", L"the decimals of time values ({RT}, ...) of a new page (0 to 15;\n"
                                        L"2, the data system's own, by default); a page keeps its own",
               Repeat::Once, [this](const std::wstring& value, std::wstring& error) {
                   const long nMost = CQLNReportPage::m_klMaxRTPrecision;
                   return ParseWhole(L"--rt-precision", value, 0, nMost, L"a number of decimals, 0 to " + std::to_wstring(nMost),
                                     m_nRTPrecision, error);
               }});
    auto result = [this](bool bList) {
        return [this, bList](const std::wstring& value, std::wstring&) {
            m_results.push_back({value, bList});
            if (m_strResolve.empty())
                m_strResolve = value;
            return true;
        };
    };
    table.Add({L"--resolve", L"DATA", L"show, list and print the page with the data of a Name=value\n"
                                      L"file (or of a chromatography result, FILE.cdf) in place of its\n"
                                      L"tokens; the page stays a template. Repeated with --pdf, or\n"
                                      L"naming a folder (its .cdf files by name), one report per result",
               Repeat::Many, result(false)});
    table.Add({L"--resolve-list", L"LIST", L"with --pdf, one report per result named in LIST (a line each,\n"
                                           L"relative to LIST's folder). The reports go into the one PDF in\n"
                                           L"the order given, each on a new page; one that cannot be read is\n"
                                           L"named at the end, and the exit code is 1",
               Repeat::Many, result(true)});
    table.Add({L"--save", L"OUT.qrp", L"write the page", Repeat::Once, text(m_strSave)});
    table.Add({L"--list", L"", L"print each object: its class, place and lines", Repeat::Once, flag(m_bList)});
    table.Add({L"--png", L"OUT.png", L"a picture of the page as the window shows it, at --zoom", Repeat::Once, text(m_strPng)});
    table.Add({L"--zoom", L"PERCENT", L"25 to 400 (100 for --png, 75 in the window by default)", Repeat::Once,
               [this](const std::wstring& value, std::wstring& error) {
                   long n = 0;
                   if (!ParseWhole(L"--zoom", value, 25, 400, L"a percentage from 25 to 400", n, error))
                       return false;
                   m_nZoom = static_cast<int>(n);
                   return true;
               }});
    table.Add({L"--pdf", L"OUT.pdf", L"print the page to a PDF file through the default printer", Repeat::Once, text(m_strPdf)});
    table.Add({L"--activate", L"N", L"in the window, object N (as --list counts them) active in place", Repeat::Once,
               [this](const std::wstring& value, std::wstring& error) {
                   long n = 0;
                   if (!ParseWhole(L"--activate", value, 1, 100000, L"an object's number from 1, as --list counts them", n, error))
                       return false;
                   m_nActivate = static_cast<int>(n);
                   return true;
               }});
    table.Add({L"--shot", L"OUT.png", L"a picture of the window as it is on screen, frame, menu and the\n"
                                      L"object active in place included; then the window closes and\n"
                                      L"the page file stays as it was",
               Repeat::Once, text(m_strShot)});
    return table;
}

std::wstring CQLNPageOptions::Usage()
{
    CQLNPageOptions options;
    return options.Table().Usage();
}

bool CQLNPageOptions::Parse(int argc, wchar_t** argv, std::wstring& error)
{
    if (Table().Parse(argc, argv, error) != CQLNOptionTable::Outcome::Parsed)
        return false;
    if (IsBatch() && (m_nActivate != 0 || !m_strShot.empty())) {
        error = L"--activate and --shot are for the window; they do not go with --save, --list, --png or --pdf";
        return false;
    }
    if (IsSequence() && (m_strPdf.empty() || !m_strSave.empty() || !m_strPng.empty() || m_bList)) {
        error = L"several results, or a list of them, print into one PDF: give --pdf and no --save, --list or --png";
        return false;
    }
    if (IsBatch() && m_strPage.empty() && m_inserts.empty() && !m_bInsertAll) {
        error = L"name the page to work on";
        return false;
    }
    return true;
}

bool CQLNPageOptions::IsSequence() const
{
    return m_results.size() > 1 || (!m_results.empty() && m_results.front().bList);
}

bool CQLNPageOptions::IsBatch() const
{
    return m_bList || !m_strSave.empty() || !m_strPng.empty() || !m_strPdf.empty();
}
