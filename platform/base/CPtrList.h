// A doubly linked list of untyped pointers with the framework's interface.
// Nodes come from blocks owned by the list and handed back when it becomes
// empty. A null POSITION ends a walk; reads at a null POSITION or from an empty
// list give null instead of failing.
#pragma once

#include "platform/base/WinDef.h"

class CPtrList {
public:
    explicit CPtrList(INT_PTR blockSize = 10);
    ~CPtrList();
    CPtrList(const CPtrList&) = delete;
    CPtrList& operator=(const CPtrList&) = delete;

    INT_PTR GetCount() const noexcept { return m_nCount; }
    INT_PTR GetSize() const noexcept { return m_nCount; }
    BOOL IsEmpty() const noexcept { return m_nCount == 0; }

    // On an empty list these give a spare null slot (writes to it are dropped).
    void*& GetHead();
    void* GetHead() const;
    void*& GetTail();
    void* GetTail() const;

    // Null when the list is empty.
    void* RemoveHead();
    void* RemoveTail();

    POSITION AddHead(void* value);
    POSITION AddTail(void* value);
    // Add copies of every element of other (other may be this list).
    void AddHead(const CPtrList* other);
    void AddTail(const CPtrList* other);
    void RemoveAll() noexcept;

    POSITION GetHeadPosition() const noexcept;
    POSITION GetTailPosition() const noexcept;
    // Returns the element at pos and moves pos on (to null after the last).
    void*& GetNext(POSITION& pos);
    void* GetNext(POSITION& pos) const;
    void*& GetPrev(POSITION& pos);
    void* GetPrev(POSITION& pos) const;

    void*& GetAt(POSITION pos);
    void* GetAt(POSITION pos) const;
    void SetAt(POSITION pos, void* value);
    void RemoveAt(POSITION pos);
    // A null pos inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, void* value);
    POSITION InsertAfter(POSITION pos, void* value);

    // First element equal to value after startAfter (from the head when null).
    POSITION Find(void* value, POSITION startAfter = nullptr) const noexcept;
    // Position of the index-th element from the head, or null.
    POSITION FindIndex(INT_PTR index) const noexcept;

private:
    struct Node;
    struct Block;

    Node* NewNode(Node* prev, Node* next, void* value);
    void FreeNode(Node* node) noexcept;
    static Node* ToNode(POSITION pos) noexcept { return reinterpret_cast<Node*>(pos); }
    static POSITION ToPos(Node* node) noexcept { return reinterpret_cast<POSITION>(node); }
    void*& Spare() noexcept;

    Node* m_pNodeHead = nullptr;
    Node* m_pNodeTail = nullptr;
    Node* m_pNodeFree = nullptr;
    Block* m_pBlocks = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
    void* m_pSpare = nullptr;
};
