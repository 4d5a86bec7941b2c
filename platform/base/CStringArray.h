// A growable array of strings with the framework's interface. Indexes outside
// the array never touch memory: reads give an empty string, writes are dropped
// (ElementAt and operator[] then hand out a spare string that nothing keeps).
#pragma once

#include "platform/base/CString.h"

#include <vector>

class CStringArray {
public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;

    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    BOOL IsEmpty() const noexcept { return m_items.empty(); }
    // Grows with empty strings or cuts off the tail; growBy is accepted for
    // compatibility (growth is geometric anyway). A negative size counts as 0.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
    void FreeExtra();
    void RemoveAll() noexcept;

    CString GetAt(INT_PTR index) const;
    void SetAt(INT_PTR index, const CString& value);
    CString& ElementAt(INT_PTR index);
    // Sets the element, growing the array first when index is past its end.
    void SetAtGrow(INT_PTR index, const CString& value);
    const CString* GetData() const noexcept { return m_items.data(); }
    CString* GetData() noexcept { return m_items.data(); }

    // Returns the new element's index.
    INT_PTR Add(const CString& value);
    // Appends every element of other (other may be this array); returns the
    // index of the first one added.
    INT_PTR Append(const CStringArray& other);
    void Copy(const CStringArray& other);

    CString operator[](INT_PTR index) const { return GetAt(index); }
    CString& operator[](INT_PTR index) { return ElementAt(index); }

    // Inserts count copies before index; an index past the end first grows the
    // array to index. A negative index or count does nothing.
    void InsertAt(INT_PTR index, const CString& value, INT_PTR count = 1);
    void InsertAt(INT_PTR startIndex, const CStringArray* other);
    // Removes up to count elements from index; the range is clamped to the array.
    void RemoveAt(INT_PTR index, INT_PTR count = 1);

private:
    bool InRange(INT_PTR index) const noexcept { return index >= 0 && index < GetSize(); }

    std::vector<CString> m_items;
    CString m_spare;
};
