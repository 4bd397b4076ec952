#include "CQLNResultBatch.h"

#include <utility>

namespace {

// Results of one run of the reader: enough that starting it no longer counts, few enough that a
// long sequence shows its first report soon and holds little in memory.
const size_t kPerRun = 16;

} // namespace

CQLNResultBatch::CQLNResultBatch(std::vector<std::wstring> paths) : m_paths(std::move(paths)) {}

void CQLNResultBatch::ReadAhead(size_t n)
{
    std::vector<size_t> indices;
    std::vector<std::wstring> paths;
    for (size_t i = n; i < m_paths.size() && indices.size() < kPerRun; ++i) {
        if (CQLNResultReader::IsResultFile(m_paths[i]) && m_read.count(i) == 0) {
            indices.push_back(i);
            paths.push_back(m_paths[i]);
        }
    }
    std::vector<CQLNResultReader::Outcome> outcomes = CQLNResultReader::ReadEach(paths);
    for (size_t k = 0; k < indices.size(); ++k)
        m_read[indices[k]] = std::move(outcomes[k]);
}

bool CQLNResultBatch::Load(size_t n, CQLNReportResolver& resolver, std::wstring& error)
{
    if (n >= m_paths.size()) {
        error = L"there is no data file " + std::to_wstring(n + 1) + L" of " + std::to_wstring(m_paths.size());
        return false;
    }
    if (!CQLNResultReader::IsResultFile(m_paths[n]))
        return resolver.LoadData(m_paths[n], error);
    if (m_read.count(n) == 0)
        ReadAhead(n);
    const CQLNResultReader::Outcome outcome = std::move(m_read[n]);
    m_read.erase(n);
    if (!outcome.bRead) {
        error = outcome.error;
        return false;
    }
    return resolver.LoadDataText(outcome.dataText, m_paths[n], error);
}
