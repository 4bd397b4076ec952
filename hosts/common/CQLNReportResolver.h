// Puts data into a text object's lines the way a report does when it is resolved: each value
// item "{Key}" of a line becomes the data value of Key, a number written with the line's own
// decimal setting. Keys without data stay as they are, braces included, so a reader sees what
// was not found. A table's rows come from keys "Row<n>.<Key>", rows numbered from 1: row n's value
// of Key, where a key without its row's value takes the plain "Key".
#pragma once
#include <map>
#include <string>
#include <vector>

class CQLNReportResolver
{
public:
    // Decimals beyond this only show the noise of binary fractions, and a stored setting may
    // be as large as an int: it is capped here.
    static const int m_knMaxDecimals = 15;

    // Reads the data as Name=value lines in the form of the readable property bag, or a
    // chromatography result file (.cdf) as the result reader writes it in that form; its signal
    // (Signal.*) is kept, and no text object's token names it.
    bool LoadData(const std::wstring& path, std::wstring& error);
    // The same from the data-file text (UTF-8) read from path already.
    bool LoadDataText(const std::string& bytes, const std::wstring& path, std::wstring& error);
    void SetValue(const std::wstring& key, const std::wstring& value) { m_values[key] = value; }

    // strCustomized is the line as GetLine hands it out; strDecimal the stored line's decimal
    // setting, where a value below zero or a text that is no integer means "as written".
    // nRow (from 1) resolves for that row of a table; 0 for no row.
    std::wstring ResolveLine(const std::wstring& strCustomized, const std::wstring& strDecimal, int nRow = 0) const;
    // The rows the data holds: n while some "Row<n>." key is there for every n from 1.
    int RowCount() const;

    // Lines of a text-field string, cut where the control cuts them: at carriage return plus
    // line feed only. An empty string has no line.
    static std::vector<std::wstring> SplitLines(const std::wstring& textFields);
    // The decimal setting of a stored line, "" when it has none.
    static std::wstring DecimalOf(const std::wstring& storedLine);

private:
    std::wstring FormatValue(const std::wstring& value, const std::wstring& strDecimal) const;

    std::map<std::wstring, std::wstring> m_values;
};
