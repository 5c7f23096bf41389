// CObList2: the doubly linked list of objects that holds a project's files (and the
// tools), with the framework list's operations and a POSITION handle for its nodes.
//
// Taking an element out (RemoveAt, RemoveHead, RemoveAll) does not delete it: whoever
// takes it out deletes it. Elements still in the list when the list goes are deleted with
// it, so that a list read half-way from a damaged file leaves nothing behind.
#pragma once
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/archive/Object.h"

struct CObList2Node;
using POSITION = CObList2Node*;

class CObList2 : public CObject {
  DECLARE_SERIAL(CObList2)

 public:
  static constexpr int kBlockSize = 10;  // nodes are made ten at a time

  CObList2() = default;
  ~CObList2() override;

  int GetCount() const { return count; }
  bool IsEmpty() const { return count == 0; }

  POSITION AddHead(CObject* element);
  POSITION AddTail(CObject* element);
  POSITION InsertBefore(POSITION position, CObject* element);
  POSITION InsertAfter(POSITION position, CObject* element);
  // Unlinks the node; its element is not deleted.
  void RemoveAt(POSITION position);
  // Unlinks the head and returns its element (null when the list is empty).
  CObject* RemoveHead();
  // Unlinks every node; the elements are not deleted.
  void RemoveAll();

  POSITION GetHeadPosition() const { return head; }
  POSITION GetTailPosition() const { return tail; }
  // The element at position, and position moved to the next node (null after the tail).
  CObject* GetNext(POSITION& position) const;
  CObject* GetPrev(POSITION& position) const;
  CObject* GetAt(POSITION position) const;
  CObject* GetHead() const;
  // The first node after startAfter (from the head when it is null) holding element.
  POSITION Find(const CObject* element, POSITION startAfter = nullptr) const;
  // The node at index from the head, or null.
  POSITION FindIndex(int index) const;

  // Storing: the count, then each element as an object from head to tail. Loading: reads
  // that many objects and appends each at the tail.
  void Serialize(CArchive& ar) override;

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = CObject*;
    using difference_type = std::ptrdiff_t;
    using reference = CObject*;
    using pointer = CObject* const*;
    const_iterator() = default;
    explicit const_iterator(POSITION p) : at(p) {}
    CObject* operator*() const;
    const_iterator& operator++();
    const_iterator operator++(int) {
      const_iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(const const_iterator&, const const_iterator&) = default;

   private:
    POSITION at = nullptr;
  };
  const_iterator begin() const { return const_iterator(head); }
  const_iterator end() const { return const_iterator(); }

 private:
  CObList2Node* NewNode(CObList2Node* prev, CObList2Node* next, CObject* element);
  void FreeNode(CObList2Node* node);

  CObList2Node* head = nullptr;
  CObList2Node* tail = nullptr;
  CObList2Node* freeList = nullptr;
  int count = 0;
  std::vector<std::unique_ptr<CObList2Node[]>> blocks;
};

struct CObList2Node {
  CObList2Node* next = nullptr;
  CObList2Node* prev = nullptr;
  CObject* data = nullptr;
};

inline CObject* CObList2::const_iterator::operator*() const { return at->data; }
inline CObList2::const_iterator& CObList2::const_iterator::operator++() {
  at = at->next;
  return *this;
}
