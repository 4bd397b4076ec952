// The hosts' command lines read through their option tables: every option of each host with what
// it sets, a missing value, an unknown option, and options given twice, where that is allowed and
// where it is not; then the usage text, made from the same tables.
#include "CQLNOptionTable.h"
#include "CQLNPageOptions.h"
#include "CQLNTextObjOptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The arguments of a command line cut at blanks, the program's name first; "" stands for an
// empty argument.
std::vector<std::wstring> Split(const std::wstring& line)
{
    std::vector<std::wstring> args{L"program"};
    std::wistringstream in(line);
    std::wstring arg;
    while (in >> arg)
        args.push_back(arg == L"\"\"" ? L"" : arg);
    return args;
}

template <class Options>
bool ParseLine(Options& options, const std::wstring& line, std::wstring& error)
{
    std::vector<std::wstring> args = Split(line);
    std::vector<wchar_t*> argv;
    for (std::wstring& arg : args)
        argv.push_back(&arg[0]);
    return options.Parse(static_cast<int>(argv.size()), argv.data(), error);
}

// What the demo host was asked, as the fields that differ from a bare command line.
std::string Describe(const CQLNTextObjOptions& o)
{
    const CQLNTextObjOptions bare;
    std::ostringstream seen;
    auto text = [&](const char* name, const std::wstring& value, const std::wstring& bareValue) {
        if (value != bareValue)
            seen << name << "=" << Narrow(value) << " ";
    };
    auto number = [&](const char* name, double value, double bareValue) {
        if (value != bareValue)
            seen << name << "=" << value << " ";
    };
    text("progid", o.m_strProgId, bare.m_strProgId);
    number("rt", o.m_nRTPrecision, bare.m_nRTPrecision);
    text("load", o.m_strLoad, bare.m_strLoad);
    for (const auto& set : o.m_setProperties)
        seen << "set " << Narrow(set.first) << "=" << Narrow(set.second) << " ";
    number("properties", o.m_bProperties, bare.m_bProperties);
    text("shots", o.m_strShots, bare.m_strShots);
    number("lines", o.m_bPrintLines, bare.m_bPrintLines);
    text("resolve", o.m_strResolve, bare.m_strResolve);
    text("emf", o.m_strEmf, bare.m_strEmf);
    text("png", o.m_strPng, bare.m_strPng);
    number("width", o.m_nWidth, bare.m_nWidth);
    number("height", o.m_nHeight, bare.m_nHeight);
    number("zoom", o.m_dZoom, bare.m_dZoom);
    number("dpi", o.m_nDpi, bare.m_nDpi);
    text("save", o.m_strSave, bare.m_strSave);
    number("print", o.m_bPrint, bare.m_bPrint);
    text("pdf", o.m_strPdf, bare.m_strPdf);
    text("ps", o.m_strPostScript, bare.m_strPostScript);
    text("printer", o.m_strPrinter, bare.m_strPrinter);
    text("paper", o.m_strPaper, bare.m_strPaper);
    number("placements", o.m_bPlacements, bare.m_bPlacements);
    return seen.str();
}

std::string Describe(const CQLNPageOptions& o)
{
    const CQLNPageOptions bare;
    std::ostringstream seen;
    auto text = [&](const char* name, const std::wstring& value) {
        if (!value.empty())
            seen << name << "=" << Narrow(value) << " ";
    };
    auto number = [&](const char* name, long value, long bareValue) {
        if (value != bareValue)
            seen << name << "=" << value << " ";
    };
    text("page", o.m_strPage);
    number("rt", o.m_nRTPrecision, bare.m_nRTPrecision);
    for (const std::wstring& insert : o.m_inserts)
        seen << "insert " << Narrow(insert) << " ";
    number("all", o.m_bInsertAll, bare.m_bInsertAll);
    text("paper", o.m_strPaper);
    number("landscape", o.m_bLandscape, bare.m_bLandscape);
    text("resolve", o.m_strResolve);
    text("save", o.m_strSave);
    text("png", o.m_strPng);
    text("pdf", o.m_strPdf);
    number("activate", o.m_nActivate, bare.m_nActivate);
    text("shot", o.m_strShot);
    number("list", o.m_bList, bare.m_bList);
    number("zoom", o.m_nZoom, bare.m_nZoom);
    return seen.str();
}

template <class Options>
std::string Outcome(const std::wstring& line)
{
    Options options;
    std::wstring error;
    if (!ParseLine(options, line, error))
        return error.empty() ? "help" : "error: " + Narrow(error);
    return Describe(options);
}

struct Row
{
    const char* rule;
    const wchar_t* line;
    const char* seen;
};

template <class Options, size_t N>
void ExpectRows(const Row (&rows)[N])
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(row.seen, Outcome<Options>(row.line));
    }
}

} // namespace

TEST(HostOptions, TheDemoHostsOptionsEachSetTheirPartAndBadOnesAreSaidInWords)
{
    const Row rows[] = {
        {"nothing to do prints the lines", L"", "lines=1 "},
        {"--progid names the object", L"--progid QLNSample.PeakTable", "progid=QLNSample.PeakTable lines=1 "},
        {"--rt-precision sets the decimals", L"--rt-precision 3", "rt=3 lines=1 "},
        {"--load names a property set", L"--load a.bag", "load=a.bag lines=1 "},
        {"--set may be given again: each is kept, in order", L"--set A=1 --set B=x=y",
         "set A=1 set B=x=y lines=1 "},
        {"--properties is an action", L"--properties", "properties=1 "},
        {"--shot is an action", L"--shot dir", "shots=dir "},
        {"--lines is an action", L"--lines", "lines=1 "},
        {"--resolve is an action", L"--resolve data.txt", "resolve=data.txt "},
        {"--draw is an action", L"--draw a.emf", "emf=a.emf "},
        {"--png with --size, --zoom and --dpi", L"--png a.png --size 300X200 --zoom 2.5 --dpi 300",
         "png=a.png width=300 height=200 zoom=2.5 dpi=300 "},
        {"--save is an action", L"--save a.bag", "save=a.bag "},
        {"--print with --printer, --paper and --placements", L"--print --printer P1 --paper Letter --placements",
         "print=1 printer=P1 paper=Letter placements=1 "},
        {"--pdf prints", L"--pdf a.pdf", "pdf=a.pdf "},
        {"--ps prints", L"--ps a.ps", "ps=a.ps "},
        {"-h asks for the usage", L"--lines -h", "help"},
        {"--help asks for the usage", L"--help", "help"},
        {"a missing value", L"--save", "error: --save needs a value"},
        {"an empty value is as missing", L"--load \"\" --lines", "error: --load needs a value"},
        {"an unknown option", L"--frobnicate", "error: unknown option --frobnicate"},
        {"an argument that is no option", L"stray", "error: unexpected argument stray"},
        {"an option that may be given once, twice", L"--save a.bag --save b.bag", "error: --save is given more than once"},
        {"... a switch too", L"--lines --lines", "error: --lines is given more than once"},
        {"--set without a name", L"--set =1", "error: --set takes Name=value, not =1"},
        {"--size out of its bounds", L"--size 0x10", "error: --size takes WIDTHxHEIGHT in pixels, each 1 to 16384, not 0x10"},
        {"--zoom out of its bounds", L"--zoom 101", "error: --zoom takes a number above 0 and at most 100, not 101"},
        {"--dpi out of its bounds", L"--png a.png --dpi 12", "error: --dpi takes a whole number of dots per inch, 24 to 2400, not 12"},
        {"--rt-precision out of its bounds", L"--rt-precision 16", "error: --rt-precision takes a number of decimals, 0 to 15, not 16"},
        {"--rt-precision with text after the number", L"--rt-precision 2x", "error: --rt-precision takes a number of decimals, 0 to 15, not 2x"},
        {"--paper of no known size", L"--print --paper A3", "error: --paper takes A4 or Letter, not A3"},
        {"--dpi without a picture", L"--dpi 300", "error: --dpi is the resolution of the --png picture; there is none"},
        {"two ways of printing", L"--print --pdf a.pdf", "error: --print, --pdf and --ps each print a page: give one of them"},
        {"printer settings without printing", L"--printer P1", "error: --printer, --paper and --placements go with --print, --pdf or --ps"},
    };
    ExpectRows<CQLNTextObjOptions>(rows);
}

TEST(HostOptions, TheDesignersOptionsEachSetTheirPartAndBadOnesAreSaidInWords)
{
    const Row rows[] = {
        {"nothing: a new page in the window", L"", ""},
        {"the page to open", L"p.qrp", "page=p.qrp "},
        {"--insert may be given again: each is kept, in order", L"--insert A.B --insert C.D --save p.qrp",
         "insert A.B insert C.D save=p.qrp "},
        {"--insert-all", L"--insert-all --save p.qrp", "all=1 save=p.qrp "},
        {"--paper and --landscape", L"p.qrp --paper letter --landscape", "page=p.qrp paper=letter landscape=1 "},
        {"--rt-precision", L"--rt-precision 0", "rt=0 "},
        {"--resolve, --list, --png and --pdf", L"p.qrp --resolve d.txt --list --png p.png --zoom 150 --pdf p.pdf",
         "page=p.qrp resolve=d.txt png=p.png pdf=p.pdf list=1 zoom=150 "},
        {"--activate and --shot in the window", L"p.qrp --activate 2 --shot w.png", "page=p.qrp activate=2 shot=w.png "},
        {"/? asks for the usage", L"/?", "help"},
        {"a missing value", L"p.qrp --save", "error: --save needs a value"},
        {"an unknown option", L"--frobnicate", "error: unknown option --frobnicate"},
        {"two pages", L"a.qrp b.qrp", "error: only one page at a time: b.qrp"},
        {"an option that may be given once, twice", L"p.qrp --zoom 100 --zoom 200", "error: --zoom is given more than once"},
        {"--paper of no known size", L"--paper a3", "error: --paper takes a4 or letter, not a3"},
        {"--zoom out of its bounds", L"--zoom 24", "error: --zoom takes a percentage from 25 to 400, not 24"},
        {"--activate from 1", L"--activate 0", "error: --activate takes an object's number from 1, as --list counts them, not 0"},
        {"--rt-precision out of its bounds", L"--rt-precision 16", "error: --rt-precision takes a number of decimals, 0 to 15, not 16"},
        {"window options with a batch one", L"p.qrp --list --shot w.png",
         "error: --activate and --shot are for the window; they do not go with --save, --list, --png or --pdf"},
        {"a batch without a page", L"--save", "error: --save needs a value"},
        {"a batch with nothing to work on", L"--list", "error: name the page to work on"},
    };
    ExpectRows<CQLNPageOptions>(rows);
}

TEST(HostOptions, TheUsageListsEveryOptionOfTheTableWithItsArgument)
{
    const std::string textobj = Narrow(CQLNTextObjOptions::Usage());
    EXPECT_EQ(0u, textobj.find("usage: textobj"));
    for (const char* option : {"--progid PROGID", "--rt-precision N", "--load FILE", "--set Name=value ...", "--properties",
                               "--shot DIR", "--lines", "--resolve DATA", "--draw OUT.emf", "--png OUT.png",
                               "--size WIDTHxHEIGHT", "--zoom Z", "--dpi DPI", "--print", "--pdf OUT.pdf", "--ps OUT.ps",
                               "--printer NAME", "--paper A4|Letter", "--placements", "--save FILE"})
        EXPECT_NE(std::string::npos, textobj.find("\r\n  " + std::string(option) + " ")) << option;
    const std::string reportpage = Narrow(CQLNPageOptions::Usage());
    EXPECT_EQ(0u, reportpage.find("Usage: reportpage [PAGE.qrp] [options]"));
    for (const char* option : {"--insert PROGID ...", "--insert-all", "--paper a4|letter", "--landscape", "--rt-precision N",
                               "--resolve DATA", "--save OUT.qrp", "--list", "--png OUT.png", "--zoom PERCENT",
                               "--pdf OUT.pdf", "--activate N", "--shot OUT.png"})
        EXPECT_NE(std::string::npos, reportpage.find("\r\n  " + std::string(option) + " ")) << option;
    // Help that runs over lines is indented under its option, never at the margin.
    for (const std::string& usage : {textobj, reportpage}) {
        std::istringstream lines(usage.substr(usage.find("\r\n  --") + 2));
        std::string line;
        while (std::getline(lines, line))
            EXPECT_EQ(0u, line.find("  ")) << line;
    }
}

TEST(OptionTable, AnOptionRepeatedWhereAllowedRunsEachTimeAndAnOperandIsOffered)
{
    std::vector<std::wstring> seen;
    CQLNOptionTable table(L"head\r\n");
    table.Add({L"--many", L"X", L"repeatable", CQLNOptionTable::Repeat::Many, [&](const std::wstring& v, std::wstring&) {
                   seen.push_back(L"many " + v);
                   return true;
               }});
    table.Add({L"--refuse", L"X", L"refuses everything", CQLNOptionTable::Repeat::Once, [](const std::wstring& v, std::wstring& error) {
                   error = L"refused " + v;
                   return false;
               }});
    table.SetOperand(L"FILE", [&](const std::wstring& v, std::wstring&) {
        seen.push_back(L"file " + v);
        return true;
    });
    const wchar_t* ok[] = {L"p", L"--many", L"1", L"f", L"--many", L"2"};
    std::wstring error;
    EXPECT_EQ(CQLNOptionTable::Outcome::Parsed, table.Parse(6, ok, error));
    EXPECT_EQ((std::vector<std::wstring>{L"many 1", L"file f", L"many 2"}), seen);
    const wchar_t* refused[] = {L"p", L"--refuse", L"v", L"--many", L"3"};
    EXPECT_EQ(CQLNOptionTable::Outcome::Refused, table.Parse(5, refused, error));
    EXPECT_EQ(L"refused v", error);
    EXPECT_EQ(3u, seen.size()) << "nothing after a refusal runs";
}
