#include "CQLNObjectResolution.h"

#include "CQLNReportResolver.h"
#include "CQLNSignalResolution.h"
#include "CQLNTableResolution.h"
#include "CQLNTextObjClient.h"

bool CQLNObjectResolution::Resolve(CQLNTextObjClient& object, const CQLNReportResolver& resolver, std::wstring& error)
{
    *this = CQLNObjectResolution();
    if (CQLNTableResolution::IsTable(object)) {
        std::vector<std::wstring> columns;
        std::wstring rows;
        if (!CQLNTableResolution::Resolve(object, resolver, columns, rows, error))
            return false;
        std::wstring heading;
        for (size_t c = 0; c < columns.size(); ++c)
            heading += (c > 0 ? L"\t" : L"") + columns[c];
        m_lines.push_back(heading);
        for (const std::wstring& row : CQLNReportResolver::SplitLines(rows))
            m_lines.push_back(row);
        m_kind = Kind::Table;
        return true;
    }
    if (CQLNSignalResolution::Offers(object) && !CQLNSignalResolution::Give(object, resolver, m_bSignalGiven, error))
        return false;
    if (object.HasMember(L"TextFields") && object.HasMember(L"GetLine"))
        return ResolveText(object, resolver, error);
    return true;
}

bool CQLNObjectResolution::ResolveText(CQLNTextObjClient& object, const CQLNReportResolver& resolver,
                                       std::wstring& error)
{
    // GetLine hands out only the shown part of a line; the decimals are in the stored line.
    std::wstring textFields;
    std::vector<std::wstring> lines;
    if (!object.GetStringProperty(L"TextFields", textFields, error) || !object.GetLines(lines, error))
        return false;
    const std::vector<std::wstring> stored = CQLNReportResolver::SplitLines(textFields);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring decimal = i < stored.size() ? CQLNReportResolver::DecimalOf(stored[i]) : L"";
        // The object draws each value item as a text of its own: that text is what is replaced.
        for (size_t open = lines[i].find(L'{'); open != std::wstring::npos; open = lines[i].find(L'{', open + 1)) {
            const size_t close = lines[i].find(L'}', open);
            if (close == std::wstring::npos)
                break;
            const std::wstring item = lines[i].substr(open, close - open + 1);
            const std::wstring value = resolver.ResolveLine(item, decimal);
            if (value != item)
                m_replacement.Add(item, value);
        }
        m_lines.push_back(resolver.ResolveLine(lines[i], decimal));
    }
    m_kind = Kind::Text;
    return true;
}

bool CQLNObjectResolution::Withdraw(CQLNTextObjClient& object, std::wstring& error)
{
    const Kind kind = m_kind;
    const bool bSignalGiven = m_bSignalGiven;
    *this = CQLNObjectResolution();
    if (bSignalGiven && !CQLNSignalResolution::Withdraw(object, error))
        return false;
    if (kind != Kind::Table)
        return true;
    VARIANT none;
    V_VT(&none) = VT_BSTR;
    V_BSTR(&none) = ::SysAllocString(L"");
    const bool ok = object.CallMethod(L"SetRows", {none}, nullptr, error);
    ::VariantClear(&none);
    return ok;
}
