// How drawing a chromatogram grows with its signal: 10 000, 100 000 and 1 000 000 samples drawn
// by the sample chromatogram into an enhanced metafile at 600 x 300, against the same samples
// drawn as one polyline of every point. The chromatogram's time includes what a host pays on
// each draw (the dispatch call, the scan for the signal's range, the decimation); its metafile
// should not grow with the samples, the polyline's does. Then the same signals printed as one
// page through the PDF printer (the default printer's driver, then Ghostscript): the job's time
// and the size of the PDF, which should not grow with the samples either.
#include "CQLNPrintJob.h"
#include "CQLNTextObjClient.h"
#include "QLNSampleChromatogramDecimation.h"
#include "SampleRegistration.h"

#include <ole2.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const RECT kBounds = {0, 0, 600, 300};

// A ten-minute run with a few dozen peaks and some noise, at any number of samples.
std::vector<double> Signal(size_t n)
{
    std::vector<double> values(n);
    unsigned seed = 12345;
    for (size_t i = 0; i < n; ++i) {
        const double t = 10.0 * i / n;
        double v = 2.0;
        for (int p = 0; p < 40; ++p) {
            const double rt = 0.2 + p * 0.24, sigma = 0.01 + 0.002 * (p % 5);
            v += (20 + 7 * (p % 9)) * std::exp(-(t - rt) * (t - rt) / (2 * sigma * sigma));
        }
        seed = seed * 1103515245u + 12345u;
        values[i] = v + ((seed >> 16) % 1000) / 2000.0;
    }
    return values;
}

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

struct Figure
{
    double seconds = -1;
    unsigned bytes = 0;
};

// The best of a few recordings, with the size of the last.
template <typename Draw>
Figure Measure(int nRuns, Draw draw)
{
    Figure figure;
    for (int run = 0; run < nRuns; ++run) {
        const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        const double start = Now();
        if (!draw(hdc)) {
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
            return Figure();
        }
        const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
        const double seconds = Now() - start;
        figure.bytes = ::GetEnhMetaFileBits(hemf, 0, nullptr);
        ::DeleteEnhMetaFile(hemf);
        if (figure.seconds < 0 || seconds < figure.seconds)
            figure.seconds = seconds;
    }
    return figure;
}

bool GiveSignal(CQLNTextObjClient& chromatogram, const std::vector<double>& values, std::wstring& error)
{
    VARIANT args[5];
    V_VT(&args[0]) = VT_ARRAY | VT_R8;
    V_ARRAY(&args[0]) = ::SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
    double* pData = nullptr;
    ::SafeArrayAccessData(V_ARRAY(&args[0]), reinterpret_cast<void**>(&pData));
    for (size_t i = 0; i < values.size(); ++i)
        pData[i] = values[i];
    ::SafeArrayUnaccessData(V_ARRAY(&args[0]));
    V_VT(&args[1]) = VT_R8;
    V_R8(&args[1]) = 600.0 / values.size();
    V_VT(&args[2]) = VT_R8;
    V_R8(&args[2]) = 0;
    V_VT(&args[3]) = VT_BSTR;
    V_BSTR(&args[3]) = ::SysAllocString(L"s");
    V_VT(&args[4]) = VT_BSTR;
    V_BSTR(&args[4]) = ::SysAllocString(L"mAU");
    const bool ok = chromatogram.CallMethod(L"SetSignal", std::vector<VARIANT>(args, args + 5), nullptr, error);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    return ok;
}

// Every sample as a point of one polyline across the same area, the way a plot without
// decimation draws.
bool DrawEveryPoint(HDC hdc, const std::vector<double>& values)
{
    double low = values[0], high = values[0];
    for (double v : values) {
        low = v < low ? v : low;
        high = v > high ? v : high;
    }
    std::vector<POINT> points(values.size());
    const double width = kBounds.right - 60, height = kBounds.bottom - 60;
    for (size_t i = 0; i < values.size(); ++i)
        points[i] = POINT{50 + static_cast<LONG>(std::lround(width * i / values.size())),
                          kBounds.bottom - 40 - static_cast<LONG>(std::lround((values[i] - low) / (high - low) * height))};
    return ::Polyline(hdc, points.data(), static_cast<int>(points.size())) != FALSE;
}

// Each signal printed to a PDF, best of nRuns jobs; false with the reason when a job fails.
bool PrintFigures(CQLNTextObjClient& chromatogram, int nRuns, std::wstring& error)
{
    wchar_t szDir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szDir);
    const std::wstring pdf = std::wstring(szDir) + L"chromatogram_bench.pdf";
    CQLNPrintJob job;
    if (!job.Open(L"", CQLNPrintJob::Paper::Printer, error))
        return false;
    std::printf("\nThe signal printed at 600 x 300 to PDF through the PDF printer, best of %d\n", nRuns);
    std::printf("%9s  %14s %12s\n", "N", "job ms", "PDF bytes");
    for (size_t n : {size_t{10000}, size_t{100000}, size_t{1000000}}) {
        if (!GiveSignal(chromatogram, Signal(n), error))
            return false;
        double best = -1;
        for (int run = 0; run < nRuns; ++run) {
            const double start = Now();
            if (!job.Print(chromatogram, kBounds.right, kBounds.bottom, CQLNPrintJob::Output::Pdf, pdf, error))
                return false;
            const double seconds = Now() - start;
            best = best < 0 || seconds < best ? seconds : best;
        }
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ::GetFileAttributesExW(pdf.c_str(), GetFileExInfoStandard, &data);
        std::printf("%9u  %14.1f %12lu\n", static_cast<unsigned>(n), best * 1e3, data.nFileSizeLow);
    }
    ::DeleteFileW(pdf.c_str());
    return true;
}

} // namespace

int main()
{
    if (FAILED(::OleInitialize(nullptr)))
        return 1;
    int result = 1;
    {
        E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", L"QLNSample.Chromatogram");
        CQLNTextObjClient chromatogram;
        std::wstring error;
        if (registration.Result() != S_OK || !chromatogram.Create(L"QLNSample.Chromatogram", error) ||
            !chromatogram.InitNew(error)) {
            std::fwprintf(stderr, L"chromatogram_bench: cannot start the sample chromatogram %ls\n", error.c_str());
        } else {
            std::printf("A signal of N samples drawn into an EMF at 600 x 300, best of 5\n");
            std::printf("%9s  %14s %12s  %14s %12s  %14s\n", "N", "decimated ms", "EMF bytes", "every point ms",
                        "EMF bytes", "decimation ms");
            double first = -1, last = -1;
            result = 0;
            for (size_t n : {size_t{10000}, size_t{100000}, size_t{1000000}}) {
                const std::vector<double> values = Signal(n);
                if (!GiveSignal(chromatogram, values, error)) {
                    std::fwprintf(stderr, L"chromatogram_bench: %ls\n", error.c_str());
                    result = 1;
                    break;
                }
                const Figure decimated = Measure(5, [&](HDC hdc) { return chromatogram.Draw(nullptr, hdc, kBounds, error); });
                const Figure every = Measure(5, [&](HDC hdc) { return DrawEveryPoint(hdc, values); });
                if (decimated.seconds < 0 || every.seconds < 0) {
                    std::fwprintf(stderr, L"chromatogram_bench: drawing failed %ls\n", error.c_str());
                    result = 1;
                    break;
                }
                // The decimation alone, without the object or a device.
                double decimation = -1;
                for (int run = 0; run < 5; ++run) {
                    const double start = Now();
                    const auto points = CQLNSampleChromatogramDecimation::Decimate(values.data(), values.size(), 0.0,
                                                                                  10.0 / n, 0.0, 10.0, 540);
                    const double seconds = Now() - start;
                    if (!points.empty() && (decimation < 0 || seconds < decimation))
                        decimation = seconds;
                }
                std::printf("%9u  %14.2f %12u  %14.2f %12u  %14.2f\n", static_cast<unsigned>(n),
                            decimated.seconds * 1e3, decimated.bytes, every.seconds * 1e3, every.bytes,
                            decimation * 1e3);
                first = first < 0 ? decimated.seconds : first;
                last = decimated.seconds;
            }
            if (result == 0)
                std::printf("decimated: time of 1 000 000 / time of 10 000 = %.1f (aim: at most 20)\n", last / first);
            if (result == 0 && !PrintFigures(chromatogram, 3, error)) {
                std::fwprintf(stderr, L"chromatogram_bench: printing failed: %ls\n", error.c_str());
                result = 1;
            }
        }
    }
    ::OleUninitialize();
    return result;
}
