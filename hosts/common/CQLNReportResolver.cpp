#include "CQLNReportResolver.h"

#include "CQLNPropertyText.h"
#include "CQLNResultReader.h"
#include "CQLNTextPropertyBag.h"
#include "QLNConvertStringToDouble.h"
#include "QLNDefaultText.h"
#include "QLNStringTokenizer.h"

#include <cerrno>
#include <cwchar>

bool CQLNReportResolver::LoadData(const std::wstring& path, std::wstring& error)
{
    std::string bytes;
    if (CQLNResultReader::IsResultFile(path) ? !CQLNResultReader::Read(path, bytes, error)
                                             : !CQLNTextPropertyBag::ReadBytes(path, bytes, error))
        return false;
    return LoadDataText(bytes, path, error);
}

bool CQLNReportResolver::LoadDataText(const std::string& bytes, const std::wstring& path, std::wstring& error)
{
    std::vector<CQLNPropertyText::Property> properties;
    if (!CQLNPropertyText::Parse(bytes, properties, error)) {
        error = path + L": " + error;
        return false;
    }
    for (CQLNPropertyText::Property& property : properties)
        m_values[property.name] = std::move(property.value);
    return true;
}

int CQLNReportResolver::RowCount() const
{
    int nRows = 0;
    for (;;) {
        const std::wstring prefix = L"Row" + std::to_wstring(nRows + 1) + L".";
        const auto it = m_values.lower_bound(prefix);
        if (it == m_values.end() || it->first.compare(0, prefix.size(), prefix) != 0)
            return nRows;
        ++nRows;
    }
}

std::wstring CQLNReportResolver::ResolveLine(const std::wstring& strCustomized, const std::wstring& strDecimal,
                                             int nRow) const
{
    std::wstring resolved;
    CQLNStringTokenizer tokenizer(CString(strCustomized.c_str(), static_cast<int>(strCustomized.size())));
    CString item;
    BOOL bIsValue = FALSE;
    while (tokenizer.GetNextString(item, bIsValue)) {
        const std::wstring text(item.GetString(), static_cast<size_t>(item.GetLength()));
        if (!bIsValue) {
            resolved += text;
            continue;
        }
        CString key = item;
        CQLNStringTokenizer::TrimOffDelimitators(key);
        const std::wstring strKey(key.GetString(), static_cast<size_t>(key.GetLength()));
        auto it = nRow > 0 ? m_values.find(L"Row" + std::to_wstring(nRow) + L"." + strKey) : m_values.end();
        if (it == m_values.end())
            it = m_values.find(strKey);
        resolved += it == m_values.end() ? text : FormatValue(it->second, strDecimal);
    }
    return resolved;
}

std::wstring CQLNReportResolver::FormatValue(const std::wstring& value, const std::wstring& strDecimal) const
{
    if (strDecimal.empty())
        return value;
    wchar_t* end = nullptr;
    errno = 0;
    const long decimals = std::wcstol(strDecimal.c_str(), &end, 10);
    double number = 0;
    if (errno != 0 || end != strDecimal.c_str() + strDecimal.size() || decimals < 0 ||
        !QLNConvertStringToDouble(value.c_str(), number))
        return value;
    const int precision = decimals > m_knMaxDecimals ? m_knMaxDecimals : static_cast<int>(decimals);
    // A finite double with at most 15 decimals fits: 309 digits before the point at most.
    wchar_t buf[400];
    swprintf(buf, sizeof buf / sizeof buf[0], L"%.*f", precision, number);
    return buf;
}

std::vector<std::wstring> CQLNReportResolver::SplitLines(const std::wstring& textFields)
{
    std::vector<std::wstring> lines;
    if (textFields.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        const size_t brk = textFields.find(L"\r\n", start);
        if (brk == std::wstring::npos) {
            lines.push_back(textFields.substr(start));
            return lines;
        }
        lines.push_back(textFields.substr(start, brk - start));
        start = brk + 2;
    }
}

std::wstring CQLNReportResolver::DecimalOf(const std::wstring& storedLine)
{
    CString strDefault, strDecimal, strCustomized;
    CQLNDefaultText::BreakupTextLine(CString(storedLine.c_str(), static_cast<int>(storedLine.size())), strDefault,
                                     strDecimal, strCustomized);
    return std::wstring(strDecimal.GetString(), static_cast<size_t>(strDecimal.GetLength()));
}
