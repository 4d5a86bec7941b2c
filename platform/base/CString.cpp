#include "platform/base/CString.h"

#include "platform/base/ByteSearch.h"
#include "platform/base/Exception.h"

#include <sys/mman.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

// One buffer: header, then the bytes and a NUL. A block inside an arena chunk
// has its own count and hands the chunk back when it drops to zero.
struct CString::Block {
    int refs;
    int inChunk; // 1: lives in an arena chunk, which the union names
    std::ptrdiff_t length;
    union {
        std::ptrdiff_t capacity; // heap blocks
        Chunk* chunk;            // arena blocks, whose capacity is their length
    };
    Chunk* Owner() const noexcept { return inChunk ? chunk : nullptr; }
    std::ptrdiff_t Capacity() const noexcept { return inChunk ? length : capacity; }
    char* data() noexcept { return reinterpret_cast<char*>(this + 1); }
};

struct CString::Chunk {
    long refs;
};

namespace {

constexpr int kStaticRefs = INT_MAX / 2;
constexpr std::size_t kHugePage = std::size_t(2) << 20;

// The shared empty string, laid out like a block; constant-initialised so that
// strings built during static initialisation can use it.
struct EmptyStorage {
    int refs;
    int inChunk;
    std::ptrdiff_t length;
    std::ptrdiff_t capacity;
    char data[8];
};
constinit EmptyStorage g_empty{kStaticRefs, 0, 0, 0, {}};

static_assert(offsetof(EmptyStorage, data) == 24, "empty string is laid out as a block");

char* EmptyData() noexcept { return g_empty.data; }

} // namespace



int CString::SharedEmptyRefs() noexcept { return g_empty.refs; }

void* AfxAllocLarge(std::size_t bytes) noexcept
{
    if (bytes < kHugePage) return std::malloc(bytes);
    std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (rounded < bytes) return nullptr;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
    return p;
}

void AfxFreeLarge(void* p) noexcept { std::free(p); }

CString::Block* CString::GetData() const noexcept
{
    static_assert(sizeof(Block) == kHeaderBytes, "the empty string's layout must match a block");
    return reinterpret_cast<Block*>(m_pchData) - 1;
}

CString::CString() noexcept : m_pchData(EmptyData()) {}

CString::CString(const CString& other) noexcept : m_pchData(other.m_pchData)
{
    if (m_pchData != EmptyData()) ++GetData()->refs;
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData)
{
    other.m_pchData = EmptyData();
}

CString::CString(const char* text) : m_pchData(EmptyData())
{
    if (text) AssignCopy(text, static_cast<std::ptrdiff_t>(std::strlen(text)));
}

CString::CString(const char* text, std::ptrdiff_t length) : m_pchData(EmptyData())
{
    if (text && length > 0) AssignCopy(text, length);
}

CString::CString(char ch, std::ptrdiff_t repeat) : m_pchData(EmptyData())
{
    if (repeat > 0) {
        AllocBuffer(repeat);
        std::memset(m_pchData, ch, static_cast<std::size_t>(repeat));
    }
}

CString::~CString() { Release(); }

void CString::Release() noexcept
{
    // The shared empty string is never counted: it is not owned, and leaving
    // it alone keeps its header untouched however many strings pass through it.
    if (m_pchData == EmptyData()) return;
    Block* b = GetData();
    if (--b->refs > 0) return;
    if (Chunk* c = b->Owner()) {
        if (--c->refs == 0) std::free(c);
    } else {
        std::free(b);
    }
    m_pchData = EmptyData();
}

void CString::AllocBuffer(std::ptrdiff_t length)
{
    // Callers release the old buffer first (or hold it elsewhere).
    if (length <= 0) {
        m_pchData = EmptyData();
        return;
    }
    std::size_t bytes = sizeof(Block) + static_cast<std::size_t>(length) + 1;
    if (static_cast<std::size_t>(length) > SIZE_MAX / 2) AfxThrowMemoryException();
    auto* b = static_cast<Block*>(AfxAllocLarge(bytes));
    if (!b) AfxThrowMemoryException();
    b->refs = 1;
    b->length = length;
    b->inChunk = 0;
    b->capacity = length;
    b->data()[length] = '\0';
    m_pchData = b->data();
}

void CString::AssignCopy(const char* text, std::ptrdiff_t length)
{
    if (length <= 0) {
        Empty();
        return;
    }
    Block* b = GetData();
    if (b->refs == 1 && !b->Owner() && b->Capacity() >= length && (text < m_pchData || text > m_pchData + b->Capacity())) {
        std::memcpy(m_pchData, text, static_cast<std::size_t>(length));
        b->length = length;
        m_pchData[length] = '\0';
        return;
    }
    CString fresh;
    fresh.AllocBuffer(length);
    std::memcpy(fresh.m_pchData, text, static_cast<std::size_t>(length));
    *this = std::move(fresh);
}

void CString::CopyBeforeWrite()
{
    Block* b = GetData();
    if (b->refs == 1 && !b->Owner()) return;
    CString fresh;
    fresh.AllocBuffer(b->length);
    std::memcpy(fresh.m_pchData, m_pchData, static_cast<std::size_t>(b->length));
    *this = std::move(fresh);
}

CString& CString::operator=(const CString& other) noexcept
{
    if (m_pchData != other.m_pchData) {
        if (other.m_pchData != EmptyData()) ++other.GetData()->refs;
        Release();
        m_pchData = other.m_pchData;
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pchData = other.m_pchData;
        other.m_pchData = EmptyData();
    }
    return *this;
}

CString& CString::operator=(const char* text)
{
    AssignCopy(text, text ? static_cast<std::ptrdiff_t>(std::strlen(text)) : 0);
    return *this;
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

std::ptrdiff_t CString::GetLength() const noexcept { return GetData()->length; }

void CString::Empty() noexcept
{
    Release();
    m_pchData = EmptyData();
}

char CString::GetAt(std::ptrdiff_t index) const
{
    if (index < 0 || index >= GetLength()) return '\0';
    return m_pchData[index];
}

void CString::SetAt(std::ptrdiff_t index, char ch)
{
    if (index < 0 || index >= GetLength()) return;
    CopyBeforeWrite();
    m_pchData[index] = ch;
}

std::ptrdiff_t CString::Find(char ch, std::ptrdiff_t start) const noexcept
{
    std::ptrdiff_t len = GetLength();
    if (start < 0) start = 0;
    if (start >= len) return -1;
    const void* hit = std::memchr(m_pchData + start, static_cast<unsigned char>(ch), static_cast<std::size_t>(len - start));
    return hit ? static_cast<const char*>(hit) - m_pchData : -1;
}

std::ptrdiff_t CString::Find(const char* sub, std::ptrdiff_t start) const noexcept
{
    if (!sub) return -1;
    return corvane::FindBytes(m_pchData, GetLength(), start, sub, static_cast<std::ptrdiff_t>(std::strlen(sub)));
}

std::ptrdiff_t CString::Find(const CString& sub, std::ptrdiff_t start) const noexcept
{
    return corvane::FindBytes(m_pchData, GetLength(), start, sub.m_pchData, sub.GetLength());
}

std::ptrdiff_t CString::ReverseFind(char ch) const noexcept
{
    for (std::ptrdiff_t i = GetLength() - 1; i >= 0; --i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

CString CString::Mid(std::ptrdiff_t first, std::ptrdiff_t count) const
{
    std::ptrdiff_t len = GetLength();
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= len) return CString();
    if (count > len - first) count = len - first;
    if (first == 0 && count == len) return *this;
    return CString(m_pchData + first, count);
}

CString CString::Mid(std::ptrdiff_t first) const { return Mid(first, GetLength()); }

CString CString::Left(std::ptrdiff_t count) const { return Mid(0, count); }

CString CString::Right(std::ptrdiff_t count) const
{
    std::ptrdiff_t len = GetLength();
    if (count < 0) count = 0;
    if (count >= len) return *this;
    return Mid(len - count, count);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

namespace {
corvane::StringLoader g_stringLoader = nullptr;
} // namespace

corvane::StringLoader corvane::SetStringLoader(StringLoader loader) noexcept
{
    StringLoader old = g_stringLoader;
    g_stringLoader = loader;
    return old;
}

BOOL CString::LoadString(UINT id)
{
    CString text;
    if (!g_stringLoader || !g_stringLoader(id, &text)) {
        Empty();
        return FALSE;
    }
    // Callers read the text as a C string, so it ends where a NUL would end it.
    std::ptrdiff_t n = 0;
    while (n < text.GetLength() && text.GetString()[n] != '\0')
        ++n;
    if (n < text.GetLength()) text = text.Left(n);
    *this = text;
    return n > 0 ? TRUE : FALSE;
}

void CString::FormatV(const char* format, va_list args)
{
    if (!format) {
        Empty();
        return;
    }
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) {
        Empty();
        return;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        AssignCopy(small, n);
        return;
    }
    CString fresh;
    fresh.AllocBuffer(n);
    std::vsnprintf(fresh.m_pchData, static_cast<std::size_t>(n) + 1, format, args);
    *this = std::move(fresh);
}

void CString::ConcatInPlace(const char* text, std::ptrdiff_t length)
{
    if (length <= 0) return;
    Block* b = GetData();
    std::ptrdiff_t old = b->length;
    if (b->refs == 1 && !b->Owner() && old + length <= b->Capacity() && (text < m_pchData || text > m_pchData + b->Capacity())) {
        std::memcpy(m_pchData + old, text, static_cast<std::size_t>(length));
        b->length = old + length;
        m_pchData[b->length] = '\0';
        return;
    }
    // Grow geometrically so that repeated appends stay linear.
    std::ptrdiff_t want = old + length;
    std::ptrdiff_t cap = std::max<std::ptrdiff_t>(want, old + old / 2);
    CString fresh;
    fresh.AllocBuffer(cap);
    std::memcpy(fresh.m_pchData, m_pchData, static_cast<std::size_t>(old));
    std::memcpy(fresh.m_pchData + old, text, static_cast<std::size_t>(length));
    fresh.GetData()->length = want;
    fresh.m_pchData[want] = '\0';
    *this = std::move(fresh);
}

void CString::Append(const char* text, std::ptrdiff_t length)
{
    if (text) ConcatInPlace(text, length);
}

CString& CString::operator+=(const CString& other)
{
    CString keep(other); // other may be *this
    ConcatInPlace(keep.m_pchData, keep.GetLength());
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text) ConcatInPlace(text, static_cast<std::ptrdiff_t>(std::strlen(text)));
    return *this;
}

CString& CString::operator+=(char ch)
{
    ConcatInPlace(&ch, 1);
    return *this;
}

static int CompareBytes(const char* a, std::ptrdiff_t an, const char* b, std::ptrdiff_t bn) noexcept
{
    int c = std::memcmp(a, b, static_cast<std::size_t>(std::min(an, bn)));
    if (c != 0) return c < 0 ? -1 : 1;
    return an < bn ? -1 : (an > bn ? 1 : 0);
}

int CString::Compare(const char* text) const noexcept
{
    if (!text) text = "";
    return CompareBytes(m_pchData, GetLength(), text, static_cast<std::ptrdiff_t>(std::strlen(text)));
}

int CString::CompareNoCase(const char* text) const noexcept
{
    if (!text) text = "";
    // Only single-byte letters fold; both bytes of a double-byte character
    // compare as they are, as its second byte may look like a letter.
    const auto* a = reinterpret_cast<const unsigned char*>(m_pchData);
    const auto* b = reinterpret_cast<const unsigned char*>(text);
    std::ptrdiff_t an = GetLength(), bn = static_cast<std::ptrdiff_t>(std::strlen(text));
    std::ptrdiff_t i = 0;
    bool trail = false;
    for (; i < an && i < bn; ++i) {
        unsigned char ca = a[i], cb = b[i];
        if (!trail && ca < 0x80) ca = static_cast<unsigned char>(std::tolower(ca));
        if (!trail && cb < 0x80) cb = static_cast<unsigned char>(std::tolower(cb));
        if (ca != cb) return ca < cb ? -1 : 1;
        trail = !trail && a[i] >= 0x81 && a[i] <= 0xFE;
    }
    return an < bn ? -1 : (an > bn ? 1 : 0);
}

void CString::MakeUpper()
{
    CopyBeforeWrite();
    for (std::ptrdiff_t i = 0; i < GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(m_pchData[i]);
        if (c >= 0x81 && i + 1 < GetLength()) { ++i; continue; } // skip double-byte characters
        if (c >= 'a' && c <= 'z') m_pchData[i] = static_cast<char>(c - 'a' + 'A');
    }
}

void CString::MakeLower()
{
    CopyBeforeWrite();
    for (std::ptrdiff_t i = 0; i < GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(m_pchData[i]);
        if (c >= 0x81 && i + 1 < GetLength()) { ++i; continue; }
        if (c >= 'A' && c <= 'Z') m_pchData[i] = static_cast<char>(c - 'A' + 'a');
    }
}

void CString::TrimLeft()
{
    std::ptrdiff_t i = 0, n = GetLength();
    while (i < n && std::isspace(static_cast<unsigned char>(m_pchData[i]))) ++i;
    if (i > 0) *this = Mid(i);
}

void CString::TrimRight()
{
    std::ptrdiff_t n = GetLength();
    while (n > 0 && std::isspace(static_cast<unsigned char>(m_pchData[n - 1]))) --n;
    if (n < GetLength()) *this = Left(n);
}

char* CString::GetBuffer(std::ptrdiff_t minLength)
{
    Block* b = GetData();
    if (minLength < 0) minLength = 0;
    if (b->refs > 1 || b->Owner() || minLength > b->Capacity() || b->Capacity() == 0) {
        std::ptrdiff_t old = b->length;
        std::ptrdiff_t cap = std::max(minLength, old);
        if (cap == 0) cap = 1; // a private buffer even for an empty string
        CString fresh;
        fresh.AllocBuffer(cap);
        std::memcpy(fresh.m_pchData, m_pchData, static_cast<std::size_t>(old) + 1);
        fresh.GetData()->length = old;
        *this = std::move(fresh);
    }
    return m_pchData;
}

char* CString::GetBufferSetLength(std::ptrdiff_t length)
{
    if (length < 0) length = 0;
    GetBuffer(length);
    ReleaseBuffer(length);
    return m_pchData;
}

void CString::ReleaseBuffer(std::ptrdiff_t newLength)
{
    Block* b = GetData();
    if (b->refs >= kStaticRefs / 2) return;
    // Without a GetBuffer first the buffer may be shared: never cut the others.
    if (b->refs > 1 || b->Owner()) {
        CopyBeforeWrite();
        b = GetData();
        if (b->refs >= kStaticRefs / 2) return;
    }
    if (newLength < 0) newLength = static_cast<std::ptrdiff_t>(strnlen(m_pchData, static_cast<std::size_t>(b->Capacity())));
    if (newLength > b->Capacity()) newLength = b->Capacity();
    b->length = newLength;
    m_pchData[newLength] = '\0';
}

CString operator+(const CString& a, const CString& b)
{
    CString r;
    r.GetBuffer(a.GetLength() + b.GetLength());
    r.ReleaseBuffer(0);
    r.Append(a.GetString(), a.GetLength());
    r.Append(b.GetString(), b.GetLength());
    return r;
}
CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

static int CmpStr(const CString& a, const CString& b) noexcept
{
    return CompareBytes(a.GetString(), a.GetLength(), b.GetString(), b.GetLength());
}

bool operator==(const CString& a, const CString& b) noexcept { return a.GetLength() == b.GetLength() && CmpStr(a, b) == 0; }
bool operator==(const CString& a, const char* b) noexcept { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) noexcept { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) noexcept { return !(a == b); }
bool operator!=(const CString& a, const char* b) noexcept { return !(a == b); }
bool operator!=(const char* a, const CString& b) noexcept { return !(a == b); }
bool operator<(const CString& a, const CString& b) noexcept { return CmpStr(a, b) < 0; }
bool operator<(const CString& a, const char* b) noexcept { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) noexcept { return CmpStr(a, b) > 0; }
bool operator<=(const CString& a, const CString& b) noexcept { return CmpStr(a, b) <= 0; }
bool operator>=(const CString& a, const CString& b) noexcept { return CmpStr(a, b) >= 0; }
bool operator>(const CString& a, const char* b) noexcept { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const char* b) noexcept { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const char* b) noexcept { return a.Compare(b) >= 0; }
bool operator<(const char* a, const CString& b) noexcept { return b.Compare(a) > 0; }
bool operator>(const char* a, const CString& b) noexcept { return b.Compare(a) < 0; }
bool operator<=(const char* a, const CString& b) noexcept { return b.Compare(a) >= 0; }
bool operator>=(const char* a, const CString& b) noexcept { return b.Compare(a) <= 0; }

// ---- arena ----

CStringArena::CStringArena(std::size_t chunkBytes) : m_chunkBytes(std::max<std::size_t>(chunkBytes, 4096)) {}

CStringArena::~CStringArena()
{
    if (m_chunk && --m_chunk->refs == 0) std::free(m_chunk);
}

std::size_t CStringArena::Footprint(std::ptrdiff_t length) noexcept
{
    std::size_t raw = sizeof(CString::Block) + static_cast<std::size_t>(length) + 1;
    return (raw + 7) & ~std::size_t(7);
}

CString CStringArena::Make(const char* text, std::ptrdiff_t length)
{
    if (!text || length <= 0) return CString();
    std::size_t need = Footprint(length);
    if (need > m_chunkBytes / 4) return CString(text, length); // large strings stand alone
    if (!m_chunk || static_cast<std::size_t>(m_end - m_next) < need) {
        if (m_chunk && --m_chunk->refs == 0) std::free(m_chunk);
        m_chunk = nullptr;
        auto* c = static_cast<CString::Chunk*>(AfxAllocLarge(m_chunkBytes));
        if (!c) AfxThrowMemoryException();
        c->refs = 1; // the arena's own hold
        m_chunk = c;
        m_next = reinterpret_cast<char*>(c) + 32;
        m_end = reinterpret_cast<char*>(c) + m_chunkBytes;
    }
    auto* b = reinterpret_cast<CString::Block*>(m_next);
    m_next += need;
    b->refs = 1;
    b->length = length;
    b->inChunk = 1;
    b->chunk = m_chunk;
    ++m_chunk->refs;
    std::memcpy(b->data(), text, static_cast<std::size_t>(length));
    b->data()[length] = '\0';
    CString s;
    s.m_pchData = b->data();
    return s;
}
