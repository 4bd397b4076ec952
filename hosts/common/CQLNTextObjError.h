// Readable texts for the failures a host meets: result codes, and what an automation call or
// a loading control said about why it failed.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

class CQLNTextObjError
{
public:
    // What the code means, in words (the system's message where this host has none of its own),
    // with the code itself in hexadecimal after them: "the file does not exist (0x80070002)".
    static std::wstring Describe(HRESULT hr);
    // The description an automation call left in its exception record (the record's strings
    // are freed), else the description of the code.
    static std::wstring DescribeInvoke(HRESULT hr, EXCEPINFO& excepInfo);
};
