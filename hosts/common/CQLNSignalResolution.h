// What resolving gives an object that draws a detector's signal (one that takes SetSignal): the
// signal from the data's keys "Signal.Values" (the samples, separated by blanks), "Signal.Interval"
// and "Signal.Delay" (in the unit "Signal.TimeUnit" names, "s" or "min"; seconds when it names
// none, as result files keep them) and "Signal.Unit" (the detector's); and the peaks from the
// data's rows: "Row<n>.RT", "Row<n>.PeakStart", "Row<n>.PeakEnd" (minutes) and "Row<n>.CompName".
// Data without samples gives the object nothing, and it draws as its template.
#pragma once
#include <string>
#include <vector>

class CQLNReportResolver;
class CQLNTextObjClient;

class CQLNSignalResolution
{
public:
    static bool Offers(CQLNTextObjClient& object);
    // bGiven says whether the object was given data, to be taken back by Withdraw.
    static bool Give(CQLNTextObjClient& object, const CQLNReportResolver& resolver, bool& bGiven, std::wstring& error);
    static bool Withdraw(CQLNTextObjClient& object, std::wstring& error);

    // The samples of a "Signal.Values" text; false at the first word that is no number.
    static bool ParseValues(const std::wstring& text, std::vector<double>& values);
    // The peaks' rows as the object takes them: retention time, start, end and name between tabs,
    // a row a line; a peak without a start or an end has its retention time there.
    static std::wstring PeakRows(const CQLNReportResolver& resolver);
};
