#include "CQLNPageOptions.h"

#include <cwchar>

std::wstring CQLNPageOptions::Usage()
{
    return L"Usage: reportpage [PAGE.qrp] [options]\r\n"
           L"Without --save, --list, --png or --pdf the page opens in a window (a new page when\r\n"
           L"the file does not exist yet; when it is no readable page, a message says why and a\r\n"
           L"new untitled page opens, except with --shot, which fails).\r\n"
           L"  --insert PROGID     place a new object of the class on the page (repeatable)\r\n"
           L"  --insert-all        place one object of every registered report-object class\r\n"
           L"  --paper a4|letter   the page's paper; --landscape turns it\r\n"
           L"  --rt-precision N    the decimals of time values ({RT}, ...) of a new page (0 to 15;\r\n"
           L"                      2, the data system's own, by default); a page keeps its own\r\n"
           L"  --resolve DATA      show, list and print the page with the data of a Name=value\r\n"
           L"                      file (or of a chromatography result, FILE.cdf) in place of\r\n"
           L"                      its tokens; the page stays a template\r\n"
           L"                      (repeatable with --pdf: see --resolve-list)\r\n"
           L"  --resolve-list LIST with --pdf, one report per result named in LIST (a line each,\r\n"
           L"                      relative to LIST's folder); --resolve FOLDER takes its .cdf\r\n"
           L"                      files by name. The reports go into the one PDF in the order\r\n"
           L"                      given, each on a new page; one that cannot be read is named\r\n"
           L"                      at the end, and the exit code is 1\r\n"
           L"  --save OUT.qrp      write the page\r\n"
           L"  --list              print each object: its class, place and lines\r\n"
           L"  --png OUT.png       a picture of the page as the window shows it, at --zoom\r\n"
           L"  --zoom PERCENT      25 to 400 (100 for --png, 75 in the window by default)\r\n"
           L"  --pdf OUT.pdf       print the page to a PDF file through the default printer\r\n"
           L"  --activate N        in the window, object N (as --list counts them) active in place\r\n"
           L"  --shot OUT.png      a picture of the window as it is on screen, frame, menu and the\r\n"
           L"                      object active in place included; then the window closes and\r\n"
           L"                      the page file stays as it was\r\n"
           L"Exit codes: 0 done, 1 a file, an object or the printer failed, 2 a bad command line.\r\n";
}

bool CQLNPageOptions::Parse(int argc, wchar_t** argv, std::wstring& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) {
                error = arg + L" needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        // A whole number within the bounds, else the message that names what the option takes.
        auto whole = [&](long nMin, long nMax, const std::wstring& takes, long& n) {
            std::wstring v;
            if (!value(v))
                return false;
            wchar_t* end = nullptr;
            n = std::wcstol(v.c_str(), &end, 10);
            if (v.empty() || *end != 0 || n < nMin || n > nMax) {
                error = arg + L" takes " + takes + L", not " + v;
                return false;
            }
            return true;
        };
        std::wstring v;
        long n = 0;
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            error.clear();
            return false;
        } else if (arg == L"--insert") {
            if (!value(v))
                return false;
            m_inserts.push_back(v);
        } else if (arg == L"--insert-all") {
            m_bInsertAll = true;
        } else if (arg == L"--paper") {
            if (!value(m_strPaper))
                return false;
            if (m_strPaper != L"a4" && m_strPaper != L"letter") {
                error = L"--paper takes a4 or letter, not " + m_strPaper;
                return false;
            }
        } else if (arg == L"--landscape") {
            m_bLandscape = true;
        } else if (arg == L"--resolve" || arg == L"--resolve-list") {
            if (!value(v))
                return false;
            m_results.push_back({v, arg == L"--resolve-list"});
            if (m_strResolve.empty())
                m_strResolve = v;
        } else if (arg == L"--save") {
            if (!value(m_strSave))
                return false;
        } else if (arg == L"--png") {
            if (!value(m_strPng))
                return false;
        } else if (arg == L"--pdf") {
            if (!value(m_strPdf))
                return false;
        } else if (arg == L"--shot") {
            if (!value(m_strShot))
                return false;
        } else if (arg == L"--activate") {
            if (!whole(1, 100000, L"an object's number from 1, as --list counts them", n))
                return false;
            m_nActivate = static_cast<int>(n);
        } else if (arg == L"--rt-precision") {
            const long nMost = CQLNReportPage::m_klMaxRTPrecision;
            if (!whole(0, nMost, L"a number of decimals, 0 to " + std::to_wstring(nMost), n))
                return false;
            m_nRTPrecision = n;
        } else if (arg == L"--list") {
            m_bList = true;
        } else if (arg == L"--zoom") {
            if (!whole(25, 400, L"a percentage from 25 to 400", n))
                return false;
            m_nZoom = static_cast<int>(n);
        } else if (arg.size() > 1 && arg[0] == L'-' && arg[1] == L'-') {
            error = L"unknown option " + arg;
            return false;
        } else if (m_strPage.empty()) {
            m_strPage = arg;
        } else {
            error = L"only one page at a time: " + arg;
            return false;
        }
    }
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
