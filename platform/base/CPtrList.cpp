#include "platform/base/CPtrList.h"

#include "platform/base/Exception.h"

#include <cstdlib>

struct CPtrList::Node {
    Node* pNext;
    Node* pPrev;
    void* data;
};

// A block holds its link and then m_nBlockSize nodes.
struct CPtrList::Block {
    Block* pNext;
    Node* Nodes() noexcept { return reinterpret_cast<Node*>(this + 1); }
};

CPtrList::CPtrList(INT_PTR blockSize) : m_nBlockSize(blockSize > 0 && blockSize < 1 << 20 ? blockSize : 10) {}

CPtrList::~CPtrList()
{
    RemoveAll();
}

CPtrList::Node* CPtrList::NewNode(Node* prev, Node* next, void* value)
{
    if (!m_pNodeFree) {
        std::size_t bytes = sizeof(Block) + sizeof(Node) * static_cast<std::size_t>(m_nBlockSize);
        auto* block = static_cast<Block*>(std::malloc(bytes));
        if (!block) AfxThrowMemoryException();
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        // Chain the fresh nodes into the free list, last first so they are used in order.
        Node* nodes = block->Nodes();
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            nodes[i].pNext = m_pNodeFree;
            nodes[i].pPrev = nullptr;
            nodes[i].data = nullptr;
            m_pNodeFree = &nodes[i];
        }
    }
    Node* node = m_pNodeFree;
    m_pNodeFree = node->pNext;
    node->pPrev = prev;
    node->pNext = next;
    node->data = value;
    ++m_nCount;
    return node;
}

void CPtrList::FreeNode(Node* node) noexcept
{
    node->pNext = m_pNodeFree;
    node->pPrev = nullptr;
    node->data = nullptr;
    m_pNodeFree = node;
    if (--m_nCount == 0) RemoveAll(); // hand the blocks back once the list is empty
}

void CPtrList::RemoveAll() noexcept
{
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
    while (m_pBlocks) {
        Block* next = m_pBlocks->pNext;
        std::free(m_pBlocks);
        m_pBlocks = next;
    }
}

void*& CPtrList::Spare() noexcept
{
    m_pSpare = nullptr;
    return m_pSpare;
}

void*& CPtrList::GetHead()
{
    return m_pNodeHead ? m_pNodeHead->data : Spare();
}
void* CPtrList::GetHead() const
{
    return m_pNodeHead ? m_pNodeHead->data : nullptr;
}
void*& CPtrList::GetTail()
{
    return m_pNodeTail ? m_pNodeTail->data : Spare();
}
void* CPtrList::GetTail() const
{
    return m_pNodeTail ? m_pNodeTail->data : nullptr;
}

void* CPtrList::RemoveHead()
{
    if (!m_pNodeHead) return nullptr;
    Node* old = m_pNodeHead;
    void* value = old->data;
    m_pNodeHead = old->pNext;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(old);
    return value;
}

void* CPtrList::RemoveTail()
{
    if (!m_pNodeTail) return nullptr;
    Node* old = m_pNodeTail;
    void* value = old->data;
    m_pNodeTail = old->pPrev;
    if (m_pNodeTail)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(old);
    return value;
}

POSITION CPtrList::AddHead(void* value)
{
    Node* node = NewNode(nullptr, m_pNodeHead, value);
    if (m_pNodeHead)
        m_pNodeHead->pPrev = node;
    else
        m_pNodeTail = node;
    m_pNodeHead = node;
    return ToPos(node);
}

POSITION CPtrList::AddTail(void* value)
{
    Node* node = NewNode(m_pNodeTail, nullptr, value);
    if (m_pNodeTail)
        m_pNodeTail->pNext = node;
    else
        m_pNodeHead = node;
    m_pNodeTail = node;
    return ToPos(node);
}

void CPtrList::AddHead(const CPtrList* other)
{
    if (!other) return;
    // Walk from the tail, adding at the head, so the order is kept; stop at the
    // count taken first so that adding a list to itself ends.
    INT_PTR n = other->m_nCount;
    Node* node = other->m_pNodeTail;
    for (INT_PTR i = 0; i < n && node; ++i) {
        Node* prev = node->pPrev;
        AddHead(node->data);
        node = prev;
    }
}

void CPtrList::AddTail(const CPtrList* other)
{
    if (!other) return;
    INT_PTR n = other->m_nCount;
    Node* node = other->m_pNodeHead;
    for (INT_PTR i = 0; i < n && node; ++i) {
        Node* next = node->pNext;
        AddTail(node->data);
        node = next;
    }
}

POSITION CPtrList::GetHeadPosition() const noexcept
{
    return ToPos(m_pNodeHead);
}
POSITION CPtrList::GetTailPosition() const noexcept
{
    return ToPos(m_pNodeTail);
}

void*& CPtrList::GetNext(POSITION& pos)
{
    Node* node = ToNode(pos);
    if (!node) return Spare();
    pos = ToPos(node->pNext);
    return node->data;
}

void* CPtrList::GetNext(POSITION& pos) const
{
    Node* node = ToNode(pos);
    if (!node) return nullptr;
    pos = ToPos(node->pNext);
    return node->data;
}

void*& CPtrList::GetPrev(POSITION& pos)
{
    Node* node = ToNode(pos);
    if (!node) return Spare();
    pos = ToPos(node->pPrev);
    return node->data;
}

void* CPtrList::GetPrev(POSITION& pos) const
{
    Node* node = ToNode(pos);
    if (!node) return nullptr;
    pos = ToPos(node->pPrev);
    return node->data;
}

void*& CPtrList::GetAt(POSITION pos)
{
    Node* node = ToNode(pos);
    return node ? node->data : Spare();
}

void* CPtrList::GetAt(POSITION pos) const
{
    Node* node = ToNode(pos);
    return node ? node->data : nullptr;
}

void CPtrList::SetAt(POSITION pos, void* value)
{
    if (Node* node = ToNode(pos)) node->data = value;
}

void CPtrList::RemoveAt(POSITION pos)
{
    Node* node = ToNode(pos);
    if (!node) return;
    if (node == m_pNodeHead)
        m_pNodeHead = node->pNext;
    else
        node->pPrev->pNext = node->pNext;
    if (node == m_pNodeTail)
        m_pNodeTail = node->pPrev;
    else
        node->pNext->pPrev = node->pPrev;
    FreeNode(node);
}

POSITION CPtrList::InsertBefore(POSITION pos, void* value)
{
    Node* at = ToNode(pos);
    if (!at) return AddHead(value);
    Node* node = NewNode(at->pPrev, at, value);
    if (at->pPrev)
        at->pPrev->pNext = node;
    else
        m_pNodeHead = node;
    at->pPrev = node;
    return ToPos(node);
}

POSITION CPtrList::InsertAfter(POSITION pos, void* value)
{
    Node* at = ToNode(pos);
    if (!at) return AddTail(value);
    Node* node = NewNode(at, at->pNext, value);
    if (at->pNext)
        at->pNext->pPrev = node;
    else
        m_pNodeTail = node;
    at->pNext = node;
    return ToPos(node);
}

POSITION CPtrList::Find(void* value, POSITION startAfter) const noexcept
{
    Node* node = ToNode(startAfter);
    node = node ? node->pNext : m_pNodeHead;
    for (; node; node = node->pNext)
        if (node->data == value) return ToPos(node);
    return nullptr;
}

POSITION CPtrList::FindIndex(INT_PTR index) const noexcept
{
    if (index < 0 || index >= m_nCount) return nullptr;
    Node* node = m_pNodeHead;
    while (index-- > 0)
        node = node->pNext;
    return ToPos(node);
}
