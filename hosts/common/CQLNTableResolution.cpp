#include "CQLNTableResolution.h"

#include "CQLNReportResolver.h"
#include "CQLNTextObjClient.h"
#include "QLNStringTokenizer.h"

bool CQLNTableResolution::IsTable(CQLNTextObjClient& control)
{
    return control.HasMember(L"GetColumnCount");
}

bool CQLNTableResolution::Resolve(CQLNTextObjClient& control, const CQLNReportResolver& resolver,
                                  std::vector<std::wstring>& columns, std::wstring& rows, std::wstring& error)
{
    std::wstring columnsText;
    columns.clear();
    rows.clear();
    if (!control.GetStringProperty(L"Columns", columnsText, error) ||
        !control.GetLines(columns, error, L"GetColumnCount", L"GetColumn"))
        return false;
    // GetColumn hands out only the shown part of a column; the decimals are in the stored one.
    const std::vector<std::wstring> stored = CQLNReportResolver::SplitLines(columnsText);
    const int nRows = resolver.RowCount();
    for (int r = 1; r <= nRows; ++r) {
        std::wstring row;
        for (size_t c = 0; c < columns.size(); ++c) {
            // The cell is the column's value alone: its heading is the table's.
            CString value;
            BOOL bIsValue = FALSE;
            for (int n = 0; !(value = CQLNStringTokenizer::GetLineItem(columns[c].c_str(), n, bIsValue)).IsEmpty() && !bIsValue;)
                ++n;
            const std::wstring cell = resolver.ResolveLine(value.GetString(), c < stored.size() ? CQLNReportResolver::DecimalOf(stored[c]) : L"", r);
            row += (c > 0 ? L"\t" : L"") + cell;
        }
        rows += (r > 1 ? L"\r\n" : L"") + row;
    }
    VARIANT arg;
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = ::SysAllocStringLen(rows.data(), static_cast<UINT>(rows.size()));
    const bool ok = control.CallMethod(L"SetRows", {arg}, nullptr, error);
    ::VariantClear(&arg);
    return ok;
}
