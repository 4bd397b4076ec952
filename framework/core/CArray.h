// Growable array of values. Index errors raise CInvalidArgException; a failed allocation
// raises CMemoryException.
#pragma once
#include "CInvalidArgException.h"
#include "AfxGuardAllocation.h"
#include "CObject.h"

#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray&) = default;
    CArray& operator=(const CArray&) = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty() ? TRUE : FALSE; }

    void SetSize(int nNewSize)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        AfxGuardAllocation([&] { m_data.resize(static_cast<size_t>(nNewSize)); });
    }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(int nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& ElementAt(int nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    int Add(ARG_TYPE newElement)
    {
        AfxGuardAllocation([&] { m_data.push_back(newElement); });
        return GetSize() - 1;
    }

private:
    size_t Checked(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};
