// Time to print one page of the sample text object (every catalogue item, 600x800 screen
// pixels): recording it with its text measured on the default printer, playing the recording
// onto the printer's page, the spooler's delivery of the PostScript to a file, and the same job
// delivered through Ghostscript as PDF, whose extra time is the conversion. Beside it in the
// same run, drawing the same object into an enhanced metafile measured on the screen, as the
// demo host's --draw does. Each figure is the median of several runs.
#include "CQLNPrintJob.h"
#include "CQLNReplacingFile.h"
#include "BenchSampleText.h"
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"
#include "QLNMetaFileDC.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRuns = 7;
const int kWidth = 600;
const int kHeight = 800;

double Seconds()
{
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// Drawing into a metafile measured on the screen, closed: what --draw does before saving.
bool DrawEmf(CQLNTextObjClient& control, double& seconds, std::wstring& error)
{
    const double start = Seconds();
    CQLNMetaFileDC dc(false);
    if (dc.m_fnCreate() != CQLNMetaFileDC::m_klSuccess) {
        error = L"cannot start a recording";
        return false;
    }
    const RECT bounds = {0, 0, kWidth, kHeight};
    if (!control.SetZoom(1.0, error) || !control.Draw(dc.m_hAttribDC, dc.m_hDC, bounds, error))
        return false;
    if (dc.m_fnFinishResolve() != CQLNMetaFileDC::m_klSuccess) {
        error = L"the recording gave no metafile";
        return false;
    }
    seconds = Seconds() - start;
    return true;
}

struct Figures
{
    std::vector<double> emf, record, play, spoolPs, spoolPdf;
};

bool Measure(CQLNTextObjClient& control, Figures& figures, std::wstring& error)
{
    const std::wstring ps = TempFile(L"print_bench.ps");
    const std::wstring pdf = TempFile(L"print_bench.pdf");
    for (int run = 0; run < kRuns; ++run) {
        double emf = 0;
        if (!DrawEmf(control, emf, error))
            return false;
        CQLNPrintJob job;
        if (!job.Open(L"", CQLNPrintJob::Paper::Printer, error) ||
            !job.Print(control, kWidth, kHeight, CQLNPrintJob::Output::PostScript, ps, error))
            return false;
        figures.emf.push_back(emf);
        figures.record.push_back(job.StepTimes().dRecord);
        figures.play.push_back(job.StepTimes().dPlay);
        figures.spoolPs.push_back(job.StepTimes().dSpool);
        if (!job.Print(control, kWidth, kHeight, CQLNPrintJob::Output::Pdf, pdf, error))
            return false;
        figures.spoolPdf.push_back(job.StepTimes().dSpool);
    }
    ::DeleteFileW(ps.c_str());
    ::DeleteFileW(pdf.c_str());
    return true;
}

} // namespace

int main()
{
    int result = 1;
    {
        BenchSampleText sample(L"print_bench");
        CQLNTextObjClient& control = sample.Control();
        std::wstring error;
        Figures figures;
        if (!sample.Started())
            return 1;
        if (!Measure(control, figures, error)) {
            std::fwprintf(stderr, L"print_bench: %ls\n", error.c_str());
        } else {
            const double emf = Median(figures.emf);
            const double record = Median(figures.record);
            const double play = Median(figures.play);
            const double spoolPs = Median(figures.spoolPs);
            const double spoolPdf = Median(figures.spoolPdf);
            const double toPs = record + play + spoolPs;
            const double toPdf = record + play + spoolPdf;
            std::printf("One page of the sample text object (%dx%d screen pixels), median of %d runs\n", kWidth,
                        kHeight, kRuns);
            std::printf("  drawn into an EMF (screen):        %8.1f ms\n", emf * 1e3);
            std::printf("  printing: recording (printer):     %8.1f ms\n", record * 1e3);
            std::printf("            playing to the printer:  %8.1f ms\n", play * 1e3);
            std::printf("            spooler to PostScript:   %8.1f ms\n", spoolPs * 1e3);
            std::printf("            spooler through PDF:     %8.1f ms  (conversion %.1f ms)\n", spoolPdf * 1e3,
                        (spoolPdf - spoolPs) * 1e3);
            std::printf("  to PostScript in all:              %8.1f ms  (%.1f times the EMF)\n", toPs * 1e3,
                        toPs / emf);
            std::printf("  to PDF in all:                     %8.1f ms  (%.1f times the EMF)\n", toPdf * 1e3,
                        toPdf / emf);
            result = 0;
        }
    }
    return result;
}
