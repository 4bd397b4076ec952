// A program's command line as a table of options: each option's name, the argument it takes (none
// for a switch), its help text, whether it may be given more than once, and what it sets. Parse
// walks the arguments through the table; Usage prints the same table, so that the help never
// lists an option the program does not take or leaves out one it does.
#pragma once
#include <functional>
#include <string>
#include <vector>

class CQLNOptionTable
{
public:
    // Takes an option's argument (empty for a switch); false with a message to refuse it.
    using Action = std::function<bool(const std::wstring& value, std::wstring& error)>;
    enum class Repeat { Once, Many };
    struct Option
    {
        std::wstring name;       // "--save"
        std::wstring argument;   // what the argument is, as the usage shows it ("OUT.qrp"); empty for a switch
        std::wstring help;       // one or more lines, without the name
        Repeat repeat;
        Action action;
    };
    enum class Outcome { Parsed, Help, Refused };

    // usageHead heads the usage text: the program's synopsis and what it does without options.
    explicit CQLNOptionTable(std::wstring usageHead) : m_usageHead(std::move(usageHead)) {}

    void Add(Option option) { m_options.push_back(std::move(option)); }
    // What the program takes besides options (a file to open); without it such an argument is
    // refused. name is how the usage calls it.
    void SetOperand(std::wstring name, Action action)
    {
        m_operandName = std::move(name);
        m_operand = std::move(action);
    }

    // The arguments after the program's name. -h, --help and /? ask for the usage; an option's
    // argument is the next one, and an empty one counts as missing (it names no file and no
    // value). Refused, error says why.
    Outcome Parse(int argc, const wchar_t* const* argv, std::wstring& error) const;
    // The head, then every option with its argument and help, lines ending in CR LF.
    std::wstring Usage() const;

private:
    const Option* Find(const std::wstring& name) const;

    std::wstring m_usageHead;
    std::vector<Option> m_options;
    std::wstring m_operandName;
    Action m_operand;
};
