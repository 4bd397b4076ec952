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
    int GetUpperBound() const { return GetSize() - 1; }

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
    // Sets the element, growing the array when the index is past its end.
    void SetAtGrow(int nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = newElement;
    }
    int Append(const CArray& src)
    {
        const int oldSize = GetSize();
        AfxGuardAllocation([&] { m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end()); });
        return oldSize;
    }
    void Copy(const CArray& src)
    {
        if (this != &src)
            AfxGuardAllocation([&] { m_data = src.m_data; });
    }
    // Inserts nCount copies before nIndex; an index at or past the end appends.
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        if (nIndex > GetSize())
            SetSize(nIndex);
        AfxGuardAllocation([&] { m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement); });
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + static_cast<long long>(nCount) > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
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
