// CObList2.
#include "project/ObList2.h"

#include "platform/archive/Archive.h"

IMPLEMENT_SERIAL(CObList2, CObject, 0)

CObList2::~CObList2() {
  for (CObList2Node* n = head; n; n = n->next) delete n->data;
}

CObList2Node* CObList2::NewNode(CObList2Node* prev, CObList2Node* next, CObject* element) {
  if (!freeList) {
    blocks.push_back(std::make_unique<CObList2Node[]>(kBlockSize));
    CObList2Node* block = blocks.back().get();
    for (int i = kBlockSize - 1; i >= 0; --i) {
      block[i].next = freeList;
      freeList = &block[i];
    }
  }
  CObList2Node* node = freeList;
  freeList = freeList->next;
  node->prev = prev;
  node->next = next;
  node->data = element;
  ++count;
  return node;
}

void CObList2::FreeNode(CObList2Node* node) {
  node->data = nullptr;
  node->prev = nullptr;
  node->next = freeList;
  freeList = node;
  // The blocks go back once the list is empty.
  if (--count == 0) RemoveAll();
}

POSITION CObList2::AddHead(CObject* element) {
  CObList2Node* node = NewNode(nullptr, head, element);
  if (head) head->prev = node;
  else tail = node;
  head = node;
  return node;
}

POSITION CObList2::AddTail(CObject* element) {
  CObList2Node* node = NewNode(tail, nullptr, element);
  if (tail) tail->next = node;
  else head = node;
  tail = node;
  return node;
}

POSITION CObList2::InsertBefore(POSITION position, CObject* element) {
  if (!position) return AddHead(element);
  CObList2Node* node = NewNode(position->prev, position, element);
  if (position->prev) position->prev->next = node;
  else head = node;
  position->prev = node;
  return node;
}

POSITION CObList2::InsertAfter(POSITION position, CObject* element) {
  if (!position) return AddTail(element);
  CObList2Node* node = NewNode(position, position->next, element);
  if (position->next) position->next->prev = node;
  else tail = node;
  position->next = node;
  return node;
}

void CObList2::RemoveAt(POSITION position) {
  if (!position) return;
  if (position->prev) position->prev->next = position->next;
  else head = position->next;
  if (position->next) position->next->prev = position->prev;
  else tail = position->prev;
  FreeNode(position);
}

CObject* CObList2::RemoveHead() {
  if (!head) return nullptr;
  CObject* element = head->data;
  RemoveAt(head);
  return element;
}

void CObList2::RemoveAll() {
  head = tail = freeList = nullptr;
  count = 0;
  blocks.clear();
}

CObject* CObList2::GetNext(POSITION& position) const {
  CObject* element = position->data;
  position = position->next;
  return element;
}

CObject* CObList2::GetPrev(POSITION& position) const {
  CObject* element = position->data;
  position = position->prev;
  return element;
}

CObject* CObList2::GetAt(POSITION position) const { return position ? position->data : nullptr; }

CObject* CObList2::GetHead() const { return head ? head->data : nullptr; }

POSITION CObList2::Find(const CObject* element, POSITION startAfter) const {
  for (CObList2Node* n = startAfter ? startAfter->next : head; n; n = n->next)
    if (n->data == element) return n;
  return nullptr;
}

POSITION CObList2::FindIndex(int index) const {
  if (index < 0 || index >= count) return nullptr;
  CObList2Node* n = head;
  while (index-- > 0) n = n->next;
  return n;
}

void CObList2::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<std::uint64_t>(count));
    for (CObList2Node* n = head; n; n = n->next) ar.WriteObject(n->data);
    return;
  }
  const std::uint64_t n = ar.ReadCount();
  for (std::uint64_t i = 0; i < n; ++i) AddTail(ar.ReadObject(nullptr).release());
}
