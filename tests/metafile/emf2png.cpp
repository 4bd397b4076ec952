// emf2png in.emf out.png [width height]: a picture of an enhanced metafile, for looking at
// what a report object drew. Without a size the metafile's frame gives it.
#include "QLNEnhMetaFilePng.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 && argc != 5) {
        std::fwprintf(stderr, L"usage: emf2png in.emf out.png [width height]\n");
        return 2;
    }
    int width = 0;
    int height = 0;
    if (argc == 5) {
        width = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
        height = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
    }
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(argv[1]);
    if (hEmf == nullptr) {
        std::fwprintf(stderr, L"emf2png: cannot read %ls\n", argv[1]);
        return 1;
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HRESULT hr = QLNSaveEnhMetaFileAsPng(hEmf, width, height, argv[2]);
    ::CoUninitialize();
    ::DeleteEnhMetaFile(hEmf);
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"emf2png: cannot write %ls (0x%08lx)\n", argv[2], static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}
