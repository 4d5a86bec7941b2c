// The rows of a list view: cells by sub-item, each sub-item a ring buffer, so
// inserting at either end costs constant amortized time, an index is one mask,
// and a cell is one CString sharing the caller's buffer.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinDef.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace sys {

// Elements that may be moved by copying their bytes: a CString is one pointer
// to a counted buffer, so its bytes can change places without touching the
// count (which may lie anywhere in memory, and costs a cache miss to reach).
template <class T>
inline constexpr bool kRelocatable = std::is_trivially_copyable_v<T> || std::is_same_v<T, CString>;

// Storage of the rings. Large blocks come straight from the system so that
// growing keeps the bytes where they are (or moves whole pages by remapping):
// a doubling touches only the new half, never copies the old one into fresh
// memory. Null when no memory is left; the old block is kept then.
void* GrowRingStorage(void* block, std::size_t oldBytes, std::size_t newBytes) noexcept;
void FreeRingStorage(void* block, std::size_t bytes) noexcept;

// A double-ended array with a power-of-two capacity. Inserting or erasing in
// the middle moves the shorter side.
template <class T>
class Ring {
    static_assert(kRelocatable<T>, "ring elements are moved by their bytes");

public:
    Ring() = default;
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;
    ~Ring() { Release(); }

    std::size_t Size() const { return m_size; }
    std::size_t Moves() const { return m_moves; }
    std::size_t Capacity() const { return m_cap; }
    T& operator[](std::size_t i) { return m_data[(m_head + i) & (m_cap - 1)]; }
    const T& operator[](std::size_t i) const { return m_data[(m_head + i) & (m_cap - 1)]; }

    // False when memory runs out; the ring is unchanged then.
    bool Reserve(std::size_t n)
    {
        if (n <= m_cap) return true;
        std::size_t cap = m_cap ? m_cap : 16;
        while (cap < n) {
            if (cap > (SIZE_MAX / sizeof(T)) / 2) return false;
            cap *= 2;
        }
        std::size_t oldCap = m_cap;
        T* data = static_cast<T*>(GrowRingStorage(m_data, oldCap * sizeof(T), cap * sizeof(T)));
        if (!data) return false;
        m_data = data;
        m_cap = cap;
        // The old bytes kept their offsets. A ring that wrapped has two runs,
        // [head, oldCap) and [0, rest); the new room lies between them once
        // one of them changes places, so move the shorter one.
        if (m_head + m_size > oldCap) {
            std::size_t first = oldCap - m_head;
            std::size_t rest = m_size - first;
            if (rest <= first) {
                CopyElements(data + oldCap, data, rest);
            } else {
                CopyElements(data + (cap - first), data + m_head, first);
                m_head = cap - first;
            }
            m_moves += std::min(first, rest);
        }
        return true;
    }

    bool Insert(std::size_t at, T value)
    {
        if (at > m_size) at = m_size;
        if (m_size == m_cap && !Reserve(m_size + 1)) return false;
        m_moves += std::min(at, m_size - at);
        if (at < m_size - at) {
            m_head = (m_head + m_cap - 1) & (m_cap - 1);
            ++m_size;
            if (at == 0) {
                new (&(*this)[0]) T(std::move(value));
                return true;
            }
            new (&(*this)[0]) T(std::move((*this)[1]));
            for (std::size_t i = 1; i < at; ++i) (*this)[i] = std::move((*this)[i + 1]);
        } else {
            ++m_size;
            std::size_t last = m_size - 1;
            if (at == last) {
                new (&(*this)[last]) T(std::move(value));
                return true;
            }
            new (&(*this)[last]) T(std::move((*this)[last - 1]));
            for (std::size_t i = last - 1; i > at; --i) (*this)[i] = std::move((*this)[i - 1]);
        }
        (*this)[at] = std::move(value);
        return true;
    }

    void Erase(std::size_t at)
    {
        if (at >= m_size) return;
        m_moves += std::min(at, m_size - 1 - at);
        if (at < m_size / 2) {
            for (std::size_t i = at; i > 0; --i) (*this)[i] = std::move((*this)[i - 1]);
            (*this)[0].~T();
            m_head = (m_head + 1) & (m_cap - 1);
        } else {
            for (std::size_t i = at; i + 1 < m_size; ++i) (*this)[i] = std::move((*this)[i + 1]);
            (*this)[m_size - 1].~T();
        }
        --m_size;
    }

    // Grows to n elements with default values at the end.
    bool Resize(std::size_t n)
    {
        if (!Reserve(n)) return false;
        while (m_size < n) {
            ++m_size;
            new (&(*this)[m_size - 1]) T();
        }
        return true;
    }

    void Clear()
    {
        if constexpr (std::is_same_v<T, CString>) {
            // Each release reaches a string's count, scattered over memory:
            // ask for the counts a few strings ahead.
            constexpr std::size_t kAhead = 16;
            for (std::size_t i = 0; i < m_size; ++i) {
                if (i + kAhead < m_size) (*this)[i + kAhead].PrefetchCount();
                (*this)[i].~T();
            }
        } else if constexpr (!std::is_trivially_destructible_v<T>) {
            for (std::size_t i = 0; i < m_size; ++i) (*this)[i].~T();
        }
        m_size = 0;
        m_head = 0;
    }

    // Clears and gives the memory back.
    void Release()
    {
        Clear();
        FreeRingStorage(m_data, m_cap * sizeof(T));
        m_data = nullptr;
        m_cap = 0;
    }

private:
    static void CopyElements(T* to, const T* from, std::size_t count)
    {
        if (count) std::memcpy(static_cast<void*>(to), static_cast<const void*>(from), count * sizeof(T));
    }

    T* m_data = nullptr;
    std::size_t m_cap = 0;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
    std::size_t m_moves = 0;
};

class ListRows {
public:
    static constexpr int kMaxSubItems = 4096;

    int Count() const { return static_cast<int>(m_state.Size()); }
    // Inserts an empty row; false when memory runs out (nothing changes then).
    bool Insert(int at);
    void Erase(int at);
    void Clear();
    bool Reserve(int rows);
    // Drops every row and cell, then holds n rows without texts (owner data).
    bool SetTextlessCount(int n);

    // Empty text for a cell never set.
    const CString& Text(int row, int subItem) const;
    bool SetText(int row, int subItem, const CString& text);

    BYTE State(int row) const { return m_state[static_cast<std::size_t>(row)]; }
    void SetState(int row, BYTE state) { m_state[static_cast<std::size_t>(row)] = state; }
    // Sets the bits of mask to those of bits in rows lo to hi; the number of
    // rows whose `counted` bit changed. One byte a row, nothing else touched.
    std::size_t SetStateRange(int lo, int hi, BYTE mask, BYTE bits, BYTE counted);
    LPARAM Param(int row) const;
    bool SetParam(int row, LPARAM value);
    bool HasParams() const { return m_hasParams; }

    // Element moves done so far by every store (growth included), so the cost
    // of a fill can be checked without a clock.
    std::size_t Moves() const;

private:
    Ring<BYTE> m_state; // defines the row count
    Ring<LPARAM> m_param; // empty until a row gets a non-zero value
    bool m_hasParams = false;
    // Sub-item k's cells; a store stays empty until a cell of k is set.
    std::vector<std::unique_ptr<Ring<CString>>> m_cells;
};

} // namespace sys
