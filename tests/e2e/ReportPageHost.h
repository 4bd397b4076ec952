// The report page host run on its command line, as a person runs it, with the three sample report
// objects registered and a scratch folder for its files: "@name" in the arguments stands for that
// file of the folder, quoted.
#pragma once
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <string>

class ReportPageHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        ASSERT_EQ(S_OK, m_peakTable.Result());
        ASSERT_EQ(S_OK, m_annotation.Result());
    }
    // Runs the host to its end, or ends it after the milliseconds.
    E2e::ProcessResult Host(std::wstring arguments, DWORD dwMilliseconds = INFINITE) const
    {
        for (size_t at; (at = arguments.find(L'@')) != std::wstring::npos;) {
            const size_t end = std::min(arguments.find(L' ', at), arguments.size());
            arguments.replace(at, end - at, L"\"" + m_folder.Path(arguments.substr(at + 1, end - at - 1)) + L"\"");
        }
        return E2e::RunWithin(L"\"" + E2e::BinDirectory() + L"reportpage.exe\" " + arguments, dwMilliseconds);
    }

public:
    // Page files as another program may write them, for the window tests too.
    // The stream "Contents" of storage Object<n> of a page file, and its class.
    static std::string ObjectData(const std::wstring& path, const wchar_t* storageName, CLSID* pClsid = nullptr)
    {
        Microsoft::WRL::ComPtr<IStorage> root, storage;
        Microsoft::WRL::ComPtr<IStream> stream;
        std::string bytes;
        if (FAILED(::StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &root)) ||
            FAILED(root->OpenStorage(storageName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage)) ||
            FAILED(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
            return bytes;
        if (pClsid != nullptr)
            ::ReadClassStg(storage.Get(), pClsid);
        char buf[4096];
        ULONG n = 0;
        while (SUCCEEDED(stream->Read(buf, sizeof buf, &n)) && n > 0)
            bytes.append(buf, n);
        return bytes;
    }
    // Rewrites a page file's description stream, and drops the named object storage when given.
    static void RewritePage(const std::wstring& path, const std::string& page, const wchar_t* dropStorage = nullptr)
    {
        Microsoft::WRL::ComPtr<IStorage> root;
        Microsoft::WRL::ComPtr<IStream> stream;
        ASSERT_EQ(S_OK, ::StgOpenStorage(path.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root));
        ASSERT_EQ(S_OK, root->CreateStream(L"Page", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream));
        ULONG written = 0;
        ASSERT_EQ(S_OK, stream->Write(page.data(), static_cast<ULONG>(page.size()), &written));
        stream.Reset();
        if (dropStorage != nullptr) {
            ASSERT_EQ(S_OK, root->DestroyElement(dropStorage));
        }
        root->Commit(STGC_DEFAULT);
    }
    // A field of the page's description: a little-endian 32-bit number.
    static std::string Le32(uint32_t v)
    {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    }

protected:

    E2e::SampleRegistration m_registration;
    E2e::SampleRegistration m_peakTable{L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable"};
    E2e::SampleRegistration m_annotation{L"QLNSampleAnnotation.dll", L"QLNSample.Annotation"};
    E2e::ScratchFolder m_folder;
};
