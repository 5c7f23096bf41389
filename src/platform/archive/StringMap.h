// CMapStringTo: a hash map from string keys whose walking order is fixed, because the
// archive writes the pairs in it: 17 buckets by h = h * 33 + c over the key's UTF-16
// units, bucket 0 first, and within a bucket the most recently added key first. Setting a
// key that is there keeps its place and replaces the value.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

template <class V>
class CMapStringTo {
 public:
  static constexpr std::uint32_t kHashTableSize = 17;
  using value_type = std::pair<const std::u16string, V>;

  static std::uint32_t HashKey(std::u16string_view key) {
    std::uint32_t h = 0;
    for (char16_t c : key) h = h * 33 + c;
    return h;
  }

  CMapStringTo() { heads.fill(kEnd); }

  std::size_t GetCount() const { return assocs.size(); }
  bool IsEmpty() const { return assocs.empty(); }

  // Copies the value out when the key is there; otherwise leaves value as it was.
  bool Lookup(std::u16string_view key, V& value) const {
    const V* found = Find(key);
    if (!found) return false;
    value = *found;
    return true;
  }
  const V* Find(std::u16string_view key) const {
    const std::int32_t i = IndexOf(key, HashKey(key));
    return i == kEnd ? nullptr : &assocs[static_cast<std::size_t>(i)].pair.second;
  }
  V* Find(std::u16string_view key) {
    return const_cast<V*>(static_cast<const CMapStringTo&>(*this).Find(key));
  }

  void SetAt(std::u16string_view key, V value) { (*this)[key] = std::move(value); }
  V& operator[](std::u16string_view key) {
    const std::uint32_t hash = HashKey(key);
    if (const std::int32_t i = IndexOf(key, hash); i != kEnd) return assocs[static_cast<std::size_t>(i)].pair.second;
    const std::uint32_t bucket = hash % kHashTableSize;
    const auto index = static_cast<std::int32_t>(assocs.size());
    if (assocs.empty()) assocs.reserve(4);
    assocs.push_back(Assoc{value_type(std::u16string(key), V()), hash, heads[bucket]});
    heads[bucket] = index;
    if (lookup) {
      lookup->emplace(std::u16string(key), index);
    } else if (assocs.size() > kChainLimit) {
      // Many keys (a big or hostile file): a real index keeps adding them linear.
      lookup = std::make_unique<std::unordered_map<std::u16string, std::int32_t>>();
      lookup->reserve(assocs.size() * 2);
      for (std::size_t j = 0; j < assocs.size(); ++j)
        lookup->emplace(assocs[j].pair.first, static_cast<std::int32_t>(j));
    }
    return assocs.back().pair.second;
  }

  void RemoveAll() {
    assocs.clear();
    heads.fill(kEnd);
    lookup.reset();
  }

  template <bool Const>
  class Iterator {
   public:
    using Map = std::conditional_t<Const, const CMapStringTo, CMapStringTo>;
    using iterator_category = std::forward_iterator_tag;
    using value_type = CMapStringTo::value_type;
    using difference_type = std::ptrdiff_t;
    using reference = std::conditional_t<Const, const value_type&, value_type&>;
    using pointer = std::conditional_t<Const, const value_type*, value_type*>;

    Iterator() = default;
    Iterator(Map* m, std::uint32_t b, std::int32_t i) : map(m), bucket(b), index(i) { SkipEmpty(); }
    reference operator*() const { return map->assocs[static_cast<std::size_t>(index)].pair; }
    pointer operator->() const { return &**this; }
    Iterator& operator++() {
      index = map->assocs[static_cast<std::size_t>(index)].next;
      SkipEmpty();
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.bucket == b.bucket && a.index == b.index; }

   private:
    void SkipEmpty() {
      while (index == kEnd && bucket + 1 < kHashTableSize) index = map->heads[++bucket];
      if (index == kEnd) bucket = kHashTableSize;
    }
    Map* map = nullptr;
    std::uint32_t bucket = kHashTableSize;
    std::int32_t index = kEnd;
  };
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;

  iterator begin() { return iterator(this, 0, heads[0]); }
  iterator end() { return iterator(this, kHashTableSize, kEnd); }
  const_iterator begin() const { return const_iterator(this, 0, heads[0]); }
  const_iterator end() const { return const_iterator(this, kHashTableSize, kEnd); }

 private:
  static constexpr std::int32_t kEnd = -1;
  static constexpr std::size_t kChainLimit = 16;

  struct Assoc {
    value_type pair;
    std::uint32_t hash;
    std::int32_t next;  // the next older key of the same bucket
  };

  std::int32_t IndexOf(std::u16string_view key, std::uint32_t hash) const {
    if (lookup) {
      auto it = lookup->find(std::u16string(key));
      return it == lookup->end() ? kEnd : it->second;
    }
    for (std::int32_t i = heads[hash % kHashTableSize]; i != kEnd; i = assocs[static_cast<std::size_t>(i)].next) {
      const Assoc& a = assocs[static_cast<std::size_t>(i)];
      if (a.hash == hash && a.pair.first == key) return i;
    }
    return kEnd;
  }

  std::vector<Assoc> assocs;
  std::array<std::int32_t, kHashTableSize> heads;
  std::unique_ptr<std::unordered_map<std::u16string, std::int32_t>> lookup;
};
