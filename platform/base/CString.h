// An 8-bit string of code-page-936 bytes, never decoded. Copies share one
// reference-counted buffer until one of them is changed. Offsets and counts are
// bytes; lengths are pointer-sized so that texts past 2 GiB stay whole.
#pragma once

#include "platform/base/WinDef.h"

#include <cstdarg>
#include <cstddef>

class CStringArena;

class CString {
public:
    CString() noexcept;
    CString(const CString& other) noexcept;
    CString(CString&& other) noexcept;
    CString(const char* text);
    CString(const char* text, std::ptrdiff_t length);
    CString(char ch, std::ptrdiff_t repeat = 1);
    ~CString();

    CString& operator=(const CString& other) noexcept;
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    std::ptrdiff_t GetLength() const noexcept;
    BOOL IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty() noexcept;

    char GetAt(std::ptrdiff_t index) const;
    char operator[](std::ptrdiff_t index) const { return GetAt(index); }
    void SetAt(std::ptrdiff_t index, char ch);

    operator LPCSTR() const noexcept { return m_pchData; }
    const char* GetString() const noexcept { return m_pchData; }

    // Offset of the first occurrence at or after start, or -1 (also when start
    // lies past the end). A negative start counts as 0.
    std::ptrdiff_t Find(char ch, std::ptrdiff_t start = 0) const noexcept;
    std::ptrdiff_t Find(const char* sub, std::ptrdiff_t start = 0) const noexcept;
    std::ptrdiff_t Find(const CString& sub, std::ptrdiff_t start = 0) const noexcept;
    std::ptrdiff_t ReverseFind(char ch) const noexcept;

    // Cuts clamp: a negative first or count counts as 0, the count stops at the
    // end, and a first at or past the end gives the empty string.
    CString Mid(std::ptrdiff_t first, std::ptrdiff_t count) const;
    CString Mid(std::ptrdiff_t first) const;
    CString Left(std::ptrdiff_t count) const;
    CString Right(std::ptrdiff_t count) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    // Replaces the text with string resource id, cut at its first NUL. FALSE,
    // and the string emptied, when the id is missing or its text is empty.
    BOOL LoadString(UINT id);

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* text, std::ptrdiff_t length);

    int Compare(const char* text) const noexcept;
    int CompareNoCase(const char* text) const noexcept;
    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();

    // Direct access for readers that fill the string in place. GetBuffer makes
    // the buffer private and at least minLength bytes long (plus the NUL);
    // ReleaseBuffer sets the length (-1: up to the first NUL).
    char* GetBuffer(std::ptrdiff_t minLength);
    char* GetBufferSetLength(std::ptrdiff_t length);
    void ReleaseBuffer(std::ptrdiff_t newLength = -1);

    // True when both strings use the same buffer (copies that were not changed).
    bool SharesBufferWith(const CString& other) const noexcept { return m_pchData == other.m_pchData; }

    // Asks the cache for the shared count ahead of a copy or release: walks over
    // millions of strings scattered in memory use it to hide the wait.
    void PrefetchCount() const noexcept { __builtin_prefetch(m_pchData - kHeaderBytes, 1); }

    // The count in the shared empty string's header: constant for the life of
    // the program (a diagnostic for tests).
    static int SharedEmptyRefs() noexcept;

private:
    // The header (count, length, capacity or chunk) sits just before the text.
    static constexpr std::ptrdiff_t kHeaderBytes = 24;
    friend class CStringArena;
    struct Block;
    struct Chunk;

    Block* GetData() const noexcept;
    void AllocBuffer(std::ptrdiff_t length);
    void Release() noexcept;
    void CopyBeforeWrite();
    void AssignCopy(const char* text, std::ptrdiff_t length);
    void ConcatInPlace(const char* text, std::ptrdiff_t length);

    char* m_pchData;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);

bool operator==(const CString& a, const CString& b) noexcept;
bool operator==(const CString& a, const char* b) noexcept;
bool operator==(const char* a, const CString& b) noexcept;
bool operator!=(const CString& a, const CString& b) noexcept;
bool operator!=(const CString& a, const char* b) noexcept;
bool operator!=(const char* a, const CString& b) noexcept;
bool operator<(const CString& a, const CString& b) noexcept;
bool operator<(const CString& a, const char* b) noexcept;
bool operator>(const CString& a, const CString& b) noexcept;
bool operator<=(const CString& a, const CString& b) noexcept;
bool operator>=(const CString& a, const CString& b) noexcept;
// Mixed forms, so that a literal on either side is not ambiguous.
bool operator>(const CString& a, const char* b) noexcept;
bool operator<=(const CString& a, const char* b) noexcept;
bool operator>=(const CString& a, const char* b) noexcept;
bool operator<(const char* a, const CString& b) noexcept;
bool operator>(const char* a, const CString& b) noexcept;
bool operator<=(const char* a, const CString& b) noexcept;
bool operator>=(const char* a, const CString& b) noexcept;

// Packs many small immutable strings into large shared chunks: one allocation
// for millions of strings, each still a normal CString whose copies share it.
// A chunk is freed when the arena and every string in it are gone.
class CStringArena {
public:
    explicit CStringArena(std::size_t chunkBytes = std::size_t(1) << 20);
    ~CStringArena();
    CStringArena(const CStringArena&) = delete;
    CStringArena& operator=(const CStringArena&) = delete;

    CString Make(const char* text, std::ptrdiff_t length);
    // Bytes a string of this length takes in a chunk, header included.
    static std::size_t Footprint(std::ptrdiff_t length) noexcept;

private:
    CString::Chunk* m_chunk = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_chunkBytes;
};

namespace corvane {
// Where string resources come from. The base tier knows no resources: the
// window system installs its registry here. A loader fills out and returns
// true when the id exists.
using StringLoader = bool (*)(UINT id, CString* out);
// Installs the loader (null removes it) and returns the previous one.
StringLoader SetStringLoader(StringLoader loader) noexcept;
} // namespace corvane

// Allocation for large buffers: asks for transparent huge pages, which makes
// first touch of fresh memory several times cheaper. Returns null on failure.
void* AfxAllocLarge(std::size_t bytes) noexcept;
void AfxFreeLarge(void* p) noexcept;
