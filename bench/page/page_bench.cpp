// A report page of 30 objects, ten of each sample (text object, peak table, annotation): how long
// it takes to open, to draw as the window draws it, to redraw while one object is dragged, to
// record into a metafile and to print as a PDF; and the page's drawing against the sum of its
// objects each drawn alone into a metafile, which it should stay within three times of.
#include "CQLNObjectRecording.h"
#include "CQLNPagePrinter.h"
#include "CQLNPageScale.h"
#include "CQLNReportPage.h"
#include "SampleRegistration.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// The fastest of a few runs, in milliseconds: the others only add the machine's noise.
double Best(int nRuns, const std::function<void()>& step)
{
    double best = 1e300;
    for (int i = 0; i < nRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void DrawObjectAlone(const CQLNPageObject& object)
{
    const RECT& rc = object.Place();
    CQLNObjectRecording recording(false);
    const RECT frame = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
    recording.m_fnCreate(frame);
    std::wstring error;
    object.Draw(recording.m_hDC, recording.m_hAttribDC, frame, CQLNPageScale::Device(recording.m_hAttribDC), error);
    ::DeleteEnhMetaFile(recording.Take());
}

void DrawPage(const CQLNReportPage& page, HDC hdc, int nZoom = 100)
{
    std::wstring error;
    page.Draw(hdc, POINT{0, 0}, nZoom, error);
}

// The frames of a drag at the zoom: the first object moved a pixel further each frame and the
// page drawn into a bitmap of the window's client area, as the window paints while the mouse
// moves. The median frame in milliseconds, after a first frame that may set things up.
double DragFrame(CQLNReportPage& page, int nZoom)
{
    const int nClientWidth = 884, nClientHeight = 702, nGap = 16;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nClientWidth, nClientHeight);
    ::ReleaseDC(nullptr, hScreen);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    CQLNPageObject& dragged = *page.Objects().front().Get();
    const RECT start = dragged.Place();
    std::wstring error;
    std::vector<double> frames;
    for (int i = 0; i <= 60; ++i) {
        RECT rc = start;
        ::OffsetRect(&rc, CQLNReportPage::ToHimetric(i % 30, nZoom), CQLNReportPage::ToHimetric(i % 20, nZoom));
        const auto begin = std::chrono::steady_clock::now();
        dragged.SetPlace(rc);
        const RECT rcClient = {0, 0, nClientWidth, nClientHeight};
        ::FillRect(hMem, &rcClient, ::GetSysColorBrush(COLOR_APPWORKSPACE));
        page.Draw(hMem, POINT{nGap, nGap}, nZoom, error);
        if (i > 0)
            frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
    }
    dragged.SetPlace(start);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    std::sort(frames.begin(), frames.end());
    return frames[frames.size() / 2];
}

} // namespace

int main()
{
    ::OleInitialize(nullptr);
    {
        E2e::SampleRegistration text;
        E2e::SampleRegistration table(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
        E2e::SampleRegistration note(L"QLNSampleAnnotation.dll", L"QLNSample.Annotation");
        std::vector<CLSID> classes;
        for (const wchar_t* progId : {L"QLNSample.TextCtrl", L"QLNSample.PeakTable", L"QLNSample.Annotation"}) {
            CLSID clsid = CLSID_NULL;
            if (FAILED(::CLSIDFromProgID(progId, &clsid))) {
                std::printf("page: %ls is not registered\n", progId);
                return 1;
            }
            classes.push_back(clsid);
        }
        wchar_t szTemp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, szTemp);
        const std::wstring path = std::wstring(szTemp) + L"page-bench.qrp";
        const std::wstring pdf = std::wstring(szTemp) + L"page-bench.pdf";
        {
            CQLNReportPage page(nullptr);
            std::wstring error;
            for (int i = 0; i < 30; ++i) {
                ComPtr<CQLNPageObject> object = CQLNPageObject::Create(classes[i % classes.size()], nullptr, page.RTPrecision(), error);
                if (!object) {
                    std::printf("page: %ls\n", error.c_str());
                    return 1;
                }
                object->SetPlace(page.NextPlace(SIZE{5500, 2500}));
                page.Insert(object);
            }
            if (!page.Save(path, error)) {
                std::printf("page: %ls\n", error.c_str());
                return 1;
            }
        }
        std::printf("page: 30 objects, ten of each sample\n");

        CQLNReportPage page(nullptr);
        std::wstring error;
        const double open = Best(3, [&] { page.Load(path, error); });
        std::printf("  open                              %8.1f ms\n", open);

        const SIZE size = page.Size();
        const SIZE shown = CQLNPageScale::Screen(100, POINT{0, 0}).ToDevice(size);
        const HDC hScreen = ::GetDC(nullptr);
        const HDC hMem = ::CreateCompatibleDC(hScreen);
        const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, shown.cx, shown.cy);
        ::ReleaseDC(nullptr, hScreen);
        const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        const double onScreen = Best(5, [&] { DrawPage(page, hMem); });
        // Larger than the bitmap at 150 %: what falls outside is clipped, as in a window.
        const double zoomed = Best(5, [&] { DrawPage(page, hMem, 150); });
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMem);
        std::printf("  draw the page as the window does  %8.1f ms\n", onScreen);
        std::printf("  the same at 150 %%                 %8.1f ms\n", zoomed);
        std::printf("  a frame of a drag at 150 %%, median %8.1f ms\n", DragFrame(page, 150));

        const double recorded = Best(5, [&] {
            CQLNObjectRecording recording(false);
            recording.m_fnCreate(RECT{0, 0, size.cx, size.cy});
            DrawPage(page, recording.m_hDC);
            ::DeleteEnhMetaFile(recording.Take());
        });
        std::printf("  record the page into a metafile   %8.1f ms\n", recorded);

        const double alone = Best(5, [&] {
            for (const auto& object : page.Objects())
                DrawObjectAlone(*object.Get());
        });
        std::printf("  each object alone into a metafile %8.1f ms (sum of 30)\n", alone);
        std::printf("  page against the sum              %8.2f (on screen), %.2f (metafile); within 3: %s\n",
                    onScreen / alone, recorded / alone, onScreen < 3 * alone && recorded < 3 * alone ? "yes" : "NO");

        if (CQLNPagePrinter::DefaultPrinter().empty()) {
            std::printf("  PDF                               skipped: no printer is installed\n");
        } else {
            bool ok = true;
            const double printed = Best(1, [&] { ok = CQLNPagePrinter::WritePdf(page, pdf, error); });
            if (ok)
                std::printf("  print to PDF                      %8.1f ms\n", printed);
            else
                std::printf("  print to PDF                      failed: %ls\n", error.c_str());
            ::DeleteFileW(pdf.c_str());
        }
        ::DeleteFileW(path.c_str());
    }
    ::OleUninitialize();
    return 0;
}
