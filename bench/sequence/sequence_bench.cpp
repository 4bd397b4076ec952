// 96 results of 40 peaks each (made here with ncgen) printed by the report page host as one
// sequence into one PDF: the total time and the time per report, against single-report --pdf
// runs of the same page (a subset, scaled to 96: each such run costs seconds), as the median of
// three; and the time the result reader takes for one file.
#include "CQLNReportPage.h"
#include "CQLNResultReader.h"
#include "CQLNUnixProgram.h"
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const int knResults = 96;
const int knPeaks = 40;
const int knSeparate = 8;

double Seconds(const std::function<void()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Cdl(int n)
{
    std::string cdl = "netcdf r" + std::to_string(n) +
                      " {\ndimensions:\n  _32_byte_string = 32 ; peak_number = " + std::to_string(knPeaks) +
                      " ; point_number = 600 ;\nvariables:\n  char peak_name(peak_number, _32_byte_string) ;\n"
                      "  float peak_retention_time(peak_number), peak_area(peak_number), peak_height(peak_number),\n"
                      "        peak_amount(peak_number), peak_width(peak_number) ;\n"
                      "  float ordinate_values(point_number), actual_run_time_length, actual_sampling_interval ;\n"
                      "  :sample_name = \"Sample " + std::to_string(n) + "\" ; :sample_id = \"S-" + std::to_string(n) +
                      "\" ; :retention_unit = \"Seconds\" ;\n  :injection_date_time_stamp = \"20261114093012+0100\" ; "
                      ":operator_name = \"Night run\" ; :detector_unit = \"mAU\" ;\ndata:\n";
    auto list = [&cdl](const char* name, const std::function<std::string(int)>& value, int count) {
        cdl += std::string("  ") + name + " = ";
        for (int i = 0; i < count; ++i)
            cdl += (i ? ", " : "") + value(i);
        cdl += " ;\n";
    };
    list("peak_name", [](int i) { return "\"Compound " + std::to_string(i + 1) + "\""; }, knPeaks);
    list("peak_retention_time", [](int i) { return std::to_string(15 * (i + 1)); }, knPeaks);
    list("peak_area", [n](int i) { return std::to_string(1000 + 37 * i + n) + ".25"; }, knPeaks);
    list("peak_height", [](int i) { return std::to_string(100 + i) + ".5"; }, knPeaks);
    list("peak_amount", [](int i) { return "0." + std::to_string(100 + i); }, knPeaks);
    list("peak_width", [](int) { return std::string("4.5"); }, knPeaks);
    list("ordinate_values", [](int i) { return std::to_string(i % 37); }, 600);
    cdl += "  actual_run_time_length = 900 ; actual_sampling_interval = 1.5 ;\n}\n";
    return cdl;
}

bool MakeResult(const E2e::ScratchFolder& folder, int n, std::wstring& path)
{
    path = folder.Path(L"r" + std::to_wstring(n) + L".cdf");
    return E2e::MakeResultFromCdl(path, Cdl(n));
}

bool Host(const std::wstring& arguments)
{
    const E2e::ProcessResult result = E2e::RunWithin(L"\"" + E2e::BinDirectory() + L"reportpage.exe\" " + arguments, 30 * 60 * 1000);
    if (result.exitCode != 0)
        std::printf("reportpage failed (%lu): %s\n", static_cast<unsigned long>(result.exitCode), result.err.c_str());
    return result.exitCode == 0;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

} // namespace

int main()
{
    E2e::SampleRegistration text;
    E2e::SampleRegistration table(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    if (FAILED(text.Result()) || FAILED(table.Result())) {
        std::printf("the sample objects cannot be registered\n");
        return 1;
    }
    E2e::ScratchFolder folder;
    std::vector<std::wstring> results(knResults);
    for (int n = 0; n < knResults; ++n)
        if (!MakeResult(folder, n + 1, results[static_cast<size_t>(n)])) {
            std::printf("ncgen could not make result %d\n", n + 1);
            return 1;
        }
    const std::wstring page = folder.Path(L"template.qrp");
    if (!Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --save " + Quoted(page)))
        return 1;

    std::wstring sequenceArgs = Quoted(page);
    for (const std::wstring& result : results)
        sequenceArgs += L" --resolve " + Quoted(result);
    std::vector<double> sequence, separate, reading, readingEach;
    const std::vector<std::wstring> sixteen(results.begin(), results.begin() + 16);
    for (int run = 0; run < 3; ++run) {
        bool ok = true;
        sequence.push_back(Seconds([&] { ok = Host(sequenceArgs + L" --pdf " + Quoted(folder.Path(L"sequence.pdf"))); }));
        separate.push_back(Seconds([&] {
            for (int n = 0; ok && n < knSeparate; ++n)
                ok = Host(Quoted(page) + L" --resolve " + Quoted(results[static_cast<size_t>(n)]) + L" --pdf " +
                          Quoted(folder.Path(L"single.pdf")));
        }) * knResults / knSeparate);
        for (int n = 0; ok && n < 10; ++n) {
            std::string data;
            std::wstring error;
            reading.push_back(Seconds([&] { ok = CQLNResultReader::Read(results[static_cast<size_t>(n)], data, error); }));
        }
        readingEach.push_back(Seconds([&] {
            for (const CQLNResultReader::Outcome& outcome : CQLNResultReader::ReadEach(sixteen))
                ok = ok && outcome.bRead;
        }) / 16);
        if (!ok)
            return 1;
    }
    const double dSequence = Median(sequence);
    const double dSeparate = Median(separate);
    std::printf("sequence of %d results of %d peaks into one PDF (median of 3):\n", knResults, knPeaks);
    std::printf("  one sequence run:           %8.2f s, %7.1f ms per report\n", dSequence, 1000 * dSequence / knResults);
    std::printf("  separate single-report runs: %7.2f s, %7.1f ms per report (%d runs timed, scaled to %d)\n", dSeparate,
                1000 * dSeparate / knResults, knSeparate, knResults);
    std::printf("  ratio sequence / separate:  %8.3f\n", dSequence / dSeparate);
    std::printf("  reading one result file:    %8.1f ms (median of %zu)\n", 1000 * Median(reading), reading.size());
    std::printf("  the same, 16 in one run:    %8.1f ms per result (median of %zu), as a sequence reads them\n",
                1000 * Median(readingEach), readingEach.size());
    return 0;
}
