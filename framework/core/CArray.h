// Growable array of values. Index errors raise CInvalidArgException; a failed allocation, or a
// size past what an int counts, raises CMemoryException. An element of the array itself may be
// passed to any member.
#pragma once
#include "CInvalidArgException.h"
#include "AfxGuardAllocation.h"
#include "CObject.h"

#include <climits>
#include <utility>
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
        if (nIndex < GetSize()) {
            m_data[static_cast<size_t>(nIndex)] = newElement;
            return;
        }
        const size_t nNewSize = CountableSize(nIndex + 1LL);
        AfxGuardAllocation([&] {
            TYPE value(newElement);     // may be an element of this array, which growing moves
            m_data.resize(nNewSize);
            m_data.back() = std::move(value);
        });
    }
    int Append(const CArray& src)
    {
        const int oldSize = GetSize();
        CountableSize(static_cast<long long>(oldSize) + src.GetSize());
        AfxGuardAllocation([&] {
            if (&src == this) {
                const std::vector<TYPE> copy(m_data);
                m_data.insert(m_data.end(), copy.begin(), copy.end());
            } else {
                m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
            }
        });
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
        CountableSize(static_cast<long long>(nIndex > GetSize() ? nIndex : GetSize()) + nCount);
        AfxGuardAllocation([&] {
            TYPE value(newElement);     // may be an element of this array, which growing moves
            if (static_cast<size_t>(nIndex) > m_data.size())
                m_data.resize(static_cast<size_t>(nIndex));
            m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), value);
        });
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + static_cast<long long>(nCount) > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    // Sizes and indices are ints: a size an int cannot count is more than memory holds.
    static size_t CountableSize(long long nSize)
    {
        if (nSize > INT_MAX)
            AfxThrowMemoryException();
        return static_cast<size_t>(nSize);
    }
    size_t Checked(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};
