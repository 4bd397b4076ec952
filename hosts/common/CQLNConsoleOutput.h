// Text a command-line host writes to its standard output or error: UTF-8 whatever the console's
// code page, so that pipes and files get every character; a console gets it through the wide call.
#pragma once
#include <windows.h>

#include <string>

class CQLNConsoleOutput
{
public:
    static void Write(DWORD nStdHandle, const std::wstring& text);
    static std::string ToUtf8(const std::wstring& text);
};
