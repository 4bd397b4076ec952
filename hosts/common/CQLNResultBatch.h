// The data files of a sequence, loaded one by one as its reports are printed or previewed. Result
// files are read ahead, a few in one run of the result reader: starting the reader costs about as
// much as reading a result. Other files are read as a resolver reads them.
#pragma once
#include "CQLNReportResolver.h"
#include "CQLNResultReader.h"

#include <map>
#include <string>
#include <vector>

class CQLNResultBatch
{
public:
    explicit CQLNResultBatch(std::vector<std::wstring> paths);

    size_t Count() const { return m_paths.size(); }
    const std::wstring& Path(size_t n) const { return m_paths[n]; }
    // Loads file n (from 0) into the resolver; false with the reason otherwise.
    bool Load(size_t n, CQLNReportResolver& resolver, std::wstring& error);

private:
    // Reads result n and the results after it, up to a run's worth, that are not read yet.
    void ReadAhead(size_t n);

    std::vector<std::wstring> m_paths;
    // Read, not yet loaded.
    std::map<size_t, CQLNResultReader::Outcome> m_read;
};
