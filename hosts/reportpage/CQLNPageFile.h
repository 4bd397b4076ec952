// A page file opened for reading. Its bytes are read whole and their structure checked before
// the system's structured storage sees them (a damaged directory can send it round in circles
// for ever), and the storage is then opened over those same bytes in memory, so that what was
// checked is what is read and the file is not held open while its objects load.
#pragma once
#include <objbase.h>
#include <wrl/client.h>

#include <string>

class CQLNPageFile
{
public:
    // False with a message that names the file and says what is wrong with it.
    static bool Open(const std::wstring& path, Microsoft::WRL::ComPtr<IStorage>& root, std::wstring& error);
};
