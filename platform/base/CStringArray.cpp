#include "platform/base/CStringArray.h"

#include "platform/base/Exception.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

// Standard containers report exhaustion their own way; the framework's callers
// expect CMemoryException.
template <typename F> void Guarded(F&& f)
{
    try {
        f();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    } catch (const std::length_error&) {
        AfxThrowMemoryException();
    }
}

} // namespace

void CStringArray::SetSize(INT_PTR newSize, INT_PTR)
{
    if (newSize < 0) newSize = 0;
    Guarded([&] { m_items.resize(static_cast<std::size_t>(newSize)); });
}

void CStringArray::FreeExtra()
{
    Guarded([&] { m_items.shrink_to_fit(); });
}

void CStringArray::RemoveAll() noexcept
{
    std::vector<CString>().swap(m_items);
}

CString CStringArray::GetAt(INT_PTR index) const
{
    return InRange(index) ? m_items[static_cast<std::size_t>(index)] : CString();
}

void CStringArray::SetAt(INT_PTR index, const CString& value)
{
    if (InRange(index)) m_items[static_cast<std::size_t>(index)] = value;
}

CString& CStringArray::ElementAt(INT_PTR index)
{
    if (InRange(index)) return m_items[static_cast<std::size_t>(index)];
    m_spare.Empty();
    return m_spare;
}

void CStringArray::SetAtGrow(INT_PTR index, const CString& value)
{
    if (index < 0) return;
    if (index >= GetSize()) SetSize(index + 1);
    m_items[static_cast<std::size_t>(index)] = value;
}

INT_PTR CStringArray::Add(const CString& value)
{
    Guarded([&] { m_items.push_back(value); });
    return GetSize() - 1;
}

INT_PTR CStringArray::Append(const CStringArray& other)
{
    INT_PTR first = GetSize();
    // Reserve first: when other is this array, growing would move the source.
    Guarded([&] {
        m_items.reserve(m_items.size() + other.m_items.size());
        std::size_t n = other.m_items.size();
        for (std::size_t i = 0; i < n; ++i)
            m_items.push_back(other.m_items[i]);
    });
    return first;
}

void CStringArray::Copy(const CStringArray& other)
{
    if (&other == this) return;
    Guarded([&] { m_items = other.m_items; });
}

void CStringArray::InsertAt(INT_PTR index, const CString& value, INT_PTR count)
{
    if (index < 0 || count <= 0) return;
    CString keep(value); // value may be an element that the insertion moves
    if (index > GetSize()) SetSize(index);
    Guarded([&] { m_items.insert(m_items.begin() + index, static_cast<std::size_t>(count), keep); });
}

void CStringArray::InsertAt(INT_PTR startIndex, const CStringArray* other)
{
    if (!other || startIndex < 0 || other->IsEmpty()) return;
    std::vector<CString> items;
    Guarded([&] { items = other->m_items; }); // other may be this array
    if (startIndex > GetSize()) SetSize(startIndex);
    Guarded([&] { m_items.insert(m_items.begin() + startIndex, items.begin(), items.end()); });
}

void CStringArray::RemoveAt(INT_PTR index, INT_PTR count)
{
    if (!InRange(index) || count <= 0) return;
    INT_PTR last = index + std::min(count, GetSize() - index);
    m_items.erase(m_items.begin() + index, m_items.begin() + last);
}
