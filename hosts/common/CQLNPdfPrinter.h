// A printer that lives for one job: it uses the driver of a printer that exists and pipes what
// that driver writes (PostScript) through Ghostscript into a PDF file. The spooler waits for the
// pipe's command and fails the job when the command fails, so the job's end tells whether the
// PDF was written.
#pragma once
#include <windows.h>

#include <string>

class CQLNPdfPrinter
{
public:
    CQLNPdfPrinter() = default;
    CQLNPdfPrinter(const CQLNPdfPrinter&) = delete;
    CQLNPdfPrinter& operator=(const CQLNPdfPrinter&) = delete;
    // Removes the printer again.
    ~CQLNPdfPrinter();

    // Adds the printer, with the driver of the printer named like, writing to strPdfPath (a
    // Windows path); false with a message otherwise.
    bool Create(const std::wstring& like, const std::wstring& strPdfPath, std::wstring& error);
    const std::wstring& Name() const { return m_strName; }

private:
    static void Remove(const std::wstring& name);

    std::wstring m_strName;
};
