// The results a sequence of reports is printed from, in the order given: a file stands for
// itself, a folder for its result files (.cdf) by name, a list for the files it names, one a
// line (blank lines and lines that begin with # are passed over; a name without a folder is taken
// from the list's folder).
#pragma once
#include "CQLNPageOptions.h"

#include <string>
#include <vector>

class CQLNResultSequence
{
public:
    // False with a message when a list cannot be read or a folder holds no result; a file that
    // does not exist is kept, to be named among the reports that could not be read.
    static bool Expand(const std::vector<CQLNPageOptions::Results>& sources, std::vector<std::wstring>& files,
                       std::wstring& error);

private:
    static bool FolderFiles(const std::wstring& folder, std::vector<std::wstring>& files, std::wstring& error);
    static bool ListFiles(const std::wstring& list, std::vector<std::wstring>& files, std::wstring& error);
};
