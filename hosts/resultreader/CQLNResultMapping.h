// What a chromatography result file says, as the hosts' data file says it: the table below turns
// the file's global attributes and variables, read as text, into "Key=value" lines and one
// "Row<n>.Key=value" line per peak and key, rows in retention order. It knows nothing of how the
// file is decoded, so that its rules run, and are tested, without the file library.
//
// The rules every value goes through:
// - Text is cut at the first NUL and trimmed of blanks; text that is no valid UTF-8 is taken as
//   Latin-1, which is what instruments that predate UTF-8 write.
// - A number may come as a number or as text; the null value -9999 is shown empty.
// - Times are minutes: peak times in seconds (retention_unit, or retention_units as some
//   instruments spell it) are divided by 60; the run's times (run length, sampling interval,
//   delay) are always seconds in these files.
// - Numbers are written with every digit they need to read back the same; the objects apply
//   their own decimals when they show them.
// - A key whose source the file lacks is left out, so that a report shows its token unresolved;
//   a key whose value is null is written empty.
#pragma once
#include <map>
#include <string>
#include <vector>

class CQLNResultMapping
{
public:
    // The file as read: each value as text (a number in a form that reads back exactly, a fill
    // value as empty text). A variable holds one text per record of its first dimension; a
    // variable of characters one text per row.
    struct Result
    {
        std::string fileName;
        std::vector<std::string> dimensions;
        std::map<std::string, std::string> attributes;
        std::map<std::string, std::vector<std::string>> variables;
    };

    // Where a key's value comes from and what kind of value it is.
    enum class Source { Attribute, Variable, PeakVariable, FileName };
    enum class Kind { Text, Number, Date, RunTime, PeakTime };
    struct Field
    {
        const char* key;
        Source source;
        // The attribute's or variable's name; a second spelling some instruments write, or null.
        const char* name;
        const char* alias;
        Kind kind;
    };
    static const std::vector<Field>& Table();

    // Whether the file is a chromatography result at all: it has peaks or a signal.
    static bool IsResult(const Result& result);
    // The data file's text, lines ended with a line feed. The signal follows the keys of the
    // table as Signal.Interval, Signal.Delay (minutes), Signal.Unit and Signal.Values (the
    // detector's values, separated by blanks, on one line).
    static std::string DataText(const Result& result);

    // The rules of single values, public for their tests.
    static std::string CleanText(const std::string& raw);
    // False for text that is no number (empty included).
    static bool ParseNumber(const std::string& text, double& value);
    // The shortest form that reads back as the same double, without an exponent where a
    // fixed form of at most 20 decimals reads back.
    static std::string FormatNumber(double value);
    // A time stamp YYYYMMDDhhmmss with an optional zone as "YYYY-MM-DD hh:mm", the time of day
    // where the injection was made; text of another shape is kept as it is.
    static std::string FormatDate(const std::string& stamp);
    // A value as the data file's reader reads it back: backslash and control characters escaped.
    static std::string Escaped(const std::string& utf8);

    static constexpr double m_kdNull = -9999;

private:
    static std::string Value(const std::string& raw, Kind kind, bool bSeconds);
    static const std::string* Attribute(const Result& result, const Field& field);
    static const std::vector<std::string>* Variable(const Result& result, const Field& field);
    static bool InSeconds(const Result& result);
};
