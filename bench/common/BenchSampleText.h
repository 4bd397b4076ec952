// What a benchmark of the sample text object starts from: OLE started, the sample registered, and
// a new object created and initialised; undone in the reverse order when it goes.
#pragma once
#include "CQLNTextObjClient.h"
#include "SampleRegistration.h"

class BenchSampleText
{
public:
    // pszProgram names the benchmark in the message printed when the object cannot be started.
    explicit BenchSampleText(const wchar_t* pszProgram);
    BenchSampleText(const BenchSampleText&) = delete;
    BenchSampleText& operator=(const BenchSampleText&) = delete;

    bool Started() const { return m_bStarted; }
    CQLNTextObjClient& Control() { return m_control; }

private:
    // First in, last out: the registration and the object need OLE while they live.
    struct Ole
    {
        Ole() : hr(::OleInitialize(nullptr)) {}
        ~Ole()
        {
            if (SUCCEEDED(hr))
                ::OleUninitialize();
        }
        HRESULT hr;
    } m_ole;
    E2e::SampleRegistration m_registration;
    CQLNTextObjClient m_control;
    bool m_bStarted = false;
};
