#include "CQLNOptionTable.h"

#include <set>

namespace {

// Where the help text starts: after the longest name and argument most options have.
const size_t kHelpColumn = 24;

} // namespace

const CQLNOptionTable::Option* CQLNOptionTable::Find(const std::wstring& name) const
{
    for (const Option& option : m_options)
        if (option.name == name)
            return &option;
    return nullptr;
}

CQLNOptionTable::Outcome CQLNOptionTable::Parse(int argc, const wchar_t* const* argv, std::wstring& error) const
{
    std::set<std::wstring> given;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"-h" || arg == L"--help" || arg == L"/?") {
            error.clear();
            return Outcome::Help;
        }
        const Option* pOption = Find(arg);
        if (pOption == nullptr) {
            if (arg.compare(0, 2, L"--") == 0) {
                error = L"unknown option " + arg;
                return Outcome::Refused;
            }
            if (!m_operand) {
                error = L"unexpected argument " + arg;
                return Outcome::Refused;
            }
            if (!m_operand(arg, error))
                return Outcome::Refused;
            continue;
        }
        if (!given.insert(arg).second && pOption->repeat == Repeat::Once) {
            error = arg + L" is given more than once";
            return Outcome::Refused;
        }
        std::wstring value;
        if (!pOption->argument.empty()) {
            if (i + 1 >= argc || argv[i + 1][0] == L'\0') {
                error = arg + L" needs a value";
                return Outcome::Refused;
            }
            value = argv[++i];
        }
        if (!pOption->action(value, error))
            return Outcome::Refused;
    }
    return Outcome::Parsed;
}

std::wstring CQLNOptionTable::Usage() const
{
    std::wstring usage = m_usageHead;
    for (const Option& option : m_options) {
        std::wstring line = L"  " + option.name + (option.argument.empty() ? L"" : L" " + option.argument);
        if (option.repeat == Repeat::Many)
            line += L" ...";
        // A name too long for the column gets its help on the lines below.
        line = line.size() + 1 < kHelpColumn ? line + std::wstring(kHelpColumn - line.size(), L' ')
                                             : line + L"\r\n" + std::wstring(kHelpColumn, L' ');
        size_t start = 0;
        for (;;) {
            const size_t end = option.help.find(L'\n', start);
            usage += line + option.help.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start) + L"\r\n";
            if (end == std::wstring::npos)
                break;
            start = end + 1;
            line = std::wstring(kHelpColumn, L' ');
        }
    }
    return usage;
}
