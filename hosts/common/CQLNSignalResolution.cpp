#include "CQLNSignalResolution.h"

#include "CQLNReportResolver.h"
#include "CQLNTextObjClient.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <limits>

namespace {

// The data's value of a key, or "" when it has none.
std::wstring Value(const CQLNReportResolver& resolver, const std::wstring& key, int nRow = 0)
{
    const std::wstring item = L"{" + key + L"}";
    const std::wstring value = resolver.ResolveLine(item, L"", nRow);
    return value == item ? std::wstring() : value;
}

bool ToNumber(const std::wstring& text, double& value)
{
    wchar_t* end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    while (end != nullptr && std::iswspace(*end))
        ++end;
    return !text.empty() && end != text.c_str() && *end == L'\0' && std::isfinite(value);
}

bool CallSetSignal(CQLNTextObjClient& object, SAFEARRAY* psa, double interval, double delay, const std::wstring& timeUnit,
                   const std::wstring& unit, std::wstring& error)
{
    std::vector<VARIANT> args(5);
    V_VT(&args[0]) = VT_EMPTY;
    if (psa != nullptr) {
        V_VT(&args[0]) = VT_ARRAY | VT_R8;
        V_ARRAY(&args[0]) = psa;
    }
    V_VT(&args[1]) = VT_R8;
    V_R8(&args[1]) = interval;
    V_VT(&args[2]) = VT_R8;
    V_R8(&args[2]) = delay;
    V_VT(&args[3]) = VT_BSTR;
    V_BSTR(&args[3]) = ::SysAllocString(timeUnit.c_str());
    V_VT(&args[4]) = VT_BSTR;
    V_BSTR(&args[4]) = ::SysAllocString(unit.c_str());
    const bool ok = object.CallMethod(L"SetSignal", args, nullptr, error);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    return ok;
}

bool CallSetPeaks(CQLNTextObjClient& object, const std::wstring& rows, std::wstring& error)
{
    VARIANT arg;
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = ::SysAllocStringLen(rows.data(), static_cast<UINT>(rows.size()));
    const bool ok = object.CallMethod(L"SetPeaks", {arg}, nullptr, error);
    ::VariantClear(&arg);
    return ok;
}

} // namespace

bool CQLNSignalResolution::Offers(CQLNTextObjClient& object)
{
    return object.HasMember(L"SetSignal") && object.HasMember(L"SetPeaks");
}

bool CQLNSignalResolution::ParseValues(const std::wstring& text, std::vector<double>& values)
{
    std::vector<double> parsed;
    for (size_t at = text.find_first_not_of(L" \t\r\n"); at != std::wstring::npos;) {
        const size_t end = text.find_first_of(L" \t\r\n", at);
        const std::wstring token = text.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
        // A point the result has no value for keeps its place as a gap in the trace.
        double value = std::numeric_limits<double>::quiet_NaN();
        if (token != L"-" && !ToNumber(token, value))
            return false;
        parsed.push_back(value);
        at = end == std::wstring::npos ? end : text.find_first_not_of(L" \t\r\n", end);
    }
    values.swap(parsed);
    return true;
}

std::wstring CQLNSignalResolution::PeakRows(const CQLNReportResolver& resolver)
{
    std::wstring rows;
    for (int n = 1; n <= resolver.RowCount(); ++n) {
        const std::wstring rt = Value(resolver, L"RT", n);
        double number = 0;
        if (!ToNumber(rt, number))
            continue;
        std::wstring start = Value(resolver, L"PeakStart", n), end = Value(resolver, L"PeakEnd", n);
        if (!ToNumber(start, number) || !ToNumber(end, number))
            start = end = rt;
        rows += (rows.empty() ? L"" : L"\r\n") + rt + L"\t" + start + L"\t" + end + L"\t" + Value(resolver, L"CompName", n);
    }
    return rows;
}

bool CQLNSignalResolution::Give(CQLNTextObjClient& object, const CQLNReportResolver& resolver, bool& bGiven,
                                std::wstring& error)
{
    bGiven = false;
    std::vector<double> values;
    const std::wstring text = Value(resolver, L"Signal.Values");
    if (text.empty())
        return true;
    double interval = 0, delay = 0;
    const std::wstring delayText = Value(resolver, L"Signal.Delay");
    if (!ParseValues(text, values) || !ToNumber(Value(resolver, L"Signal.Interval"), interval) ||
        (!delayText.empty() && !ToNumber(delayText, delay))) {
        error = L"the data's signal is not numbers: Signal.Values, Signal.Interval and Signal.Delay";
        return false;
    }
    SAFEARRAY* psa = ::SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
    double* pData = nullptr;
    if (psa == nullptr || FAILED(::SafeArrayAccessData(psa, reinterpret_cast<void**>(&pData)))) {
        if (psa != nullptr)
            ::SafeArrayDestroy(psa);
        error = L"no memory for the data's signal";
        return false;
    }
    std::copy(values.begin(), values.end(), pData);
    ::SafeArrayUnaccessData(psa);
    const std::wstring timeUnit = Value(resolver, L"Signal.TimeUnit");
    // The array goes with the arguments, which free it.
    if (!CallSetSignal(object, psa, interval, delay, timeUnit.empty() ? L"s" : timeUnit,
                       Value(resolver, L"Signal.Unit"), error) ||
        !CallSetPeaks(object, PeakRows(resolver), error))
        return false;
    bGiven = true;
    return true;
}

bool CQLNSignalResolution::Withdraw(CQLNTextObjClient& object, std::wstring& error)
{
    return CallSetSignal(object, nullptr, 1.0, 0.0, L"s", L"", error) && CallSetPeaks(object, L"", error);
}
