// The blocked array against a plain vector, with blocks small enough that every edit splits,
// spans or merges blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "buffer/BlockedArray.h"
#include "buffer/PageArray.h"

namespace {

using Small = CBlockedArray<int, 8>;

void ExpectSame(const Small& a, const std::vector<int>& v) {
  ASSERT_EQ(a.Count(), static_cast<int>(v.size()));
  // Forwards, backwards and jumping, as the callers read.
  for (int i = 0; i < a.Count(); ++i) ASSERT_EQ(a[i], v[i]) << "at " << i;
  for (int i = a.Count() - 1; i >= 0; --i) ASSERT_EQ(a[i], v[i]) << "at " << i;
  for (int i = 0, j = a.Count() - 1; i <= j; ++i, --j) {
    ASSERT_EQ(a[i], v[i]);
    ASSERT_EQ(a[j], v[j]);
  }
}

std::vector<int> Sequence(int from, int n) {
  std::vector<int> r(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) r[i] = from + i;
  return r;
}

}  // namespace

TEST(BlockedArray, InsertsAndRemovesAtTheEndsAndInTheMiddle) {
  Small a;
  std::vector<int> v;
  for (int i = 0; i < 40; ++i) {
    a.PushBack(i);
    v.push_back(i);
  }
  ExpectSame(a, v);
  EXPECT_EQ(a.BlockCount(), 5);  // appending fills blocks

  // One value into a full block splits it; many values (more than half a block) at the front,
  // in the middle and at the end.
  for (int at : {0, 20, static_cast<int>(v.size())}) {
    a.Insert(at, &at, 1);
    v.insert(v.begin() + at, at);
    ExpectSame(a, v);
    const auto many = Sequence(1000 + at, 21);
    a.Insert(at, many.data(), 21);
    v.insert(v.begin() + at, many.begin(), many.end());
    ExpectSame(a, v);
  }
  a.InsertCopies(7, -1, 13);
  v.insert(v.begin() + 7, 13, -1);
  ExpectSame(a, v);

  // Removals within a block, across several and of whole blocks; then everything.
  a.Remove(0, 1);
  v.erase(v.begin());
  a.Remove(5, 30);
  v.erase(v.begin() + 5, v.begin() + 35);
  a.Remove(static_cast<int>(v.size()) - 9, 9);
  v.erase(v.end() - 9, v.end());
  ExpectSame(a, v);
  a.Remove(0, a.Count());
  v.clear();
  ExpectSame(a, v);
  EXPECT_EQ(a.BlockCount(), 0);
  a.Insert(0, v.data(), 0);
  EXPECT_EQ(a.Count(), 0);
  const int one = 5;
  a.Insert(0, &one, 1);
  v.push_back(5);
  ExpectSame(a, v);
}

TEST(BlockedArray, RandomEditsMatchAVectorAndKeepBlocksFew) {
  std::mt19937 rng(7);
  Small a;
  std::vector<int> v;
  int next = 0;
  for (int step = 0; step < 4000; ++step) {
    const int size = static_cast<int>(v.size());
    const int kind = static_cast<int>(rng() % 10);
    if (kind < 6 || size == 0) {
      const int at = static_cast<int>(rng() % (size + 1));
      const int n = kind == 0 ? static_cast<int>(rng() % 30) + 1 : 1;
      const auto values = Sequence(next, n);
      next += n;
      a.Insert(at, values.data(), n);
      v.insert(v.begin() + at, values.begin(), values.end());
    } else {
      const int at = static_cast<int>(rng() % size);
      const int n = std::min(size - at, kind == 6 ? static_cast<int>(rng() % 25) + 1 : 1);
      a.Remove(at, n);
      v.erase(v.begin() + at, v.begin() + at + n);
    }
    if (step % 97 == 0) ExpectSame(a, v);
    if (::testing::Test::HasFatalFailure()) return;
  }
  ExpectSame(a, v);
  // Small blocks are merged as values go, so the blocks stay within a few times the minimum.
  EXPECT_LE(a.BlockCount(), 4 * (a.Count() / 8 + 1));

  // Thinned out to a tenth by single removals, the blocks merge as they empty: neighbours
  // never stay small side by side.
  const int keep = a.Count() / 10;
  while (a.Count() > keep) {
    const int at = static_cast<int>(rng() % a.Count());
    a.Remove(at, 1);
    v.erase(v.begin() + at);
  }
  ExpectSame(a, v);
  EXPECT_LE(a.BlockCount(), a.Count() / 2 + 2);
}

TEST(BlockPool, HeapFirstThenSlabsThatGoAsTheyEmpty) {
  constexpr std::size_t kSize = 16392;  // a block of 1024 line records
  CBlockPool pool(kSize);
  const int perSlab = static_cast<int>((CBlockPool::kSlabSize - 64) / kSize);
  std::vector<unsigned char*> got;
  auto take = [&](int n) {
    for (int i = 0; i < n; ++i) {
      auto* p = static_cast<unsigned char*>(pool.Allocate());
      std::memset(p, static_cast<int>(got.size() % 251), kSize);
      got.push_back(p);
    }
  };
  take(CBlockPool::kHeapBlocks);
  EXPECT_EQ(pool.SlabCount(), 0);  // a small array costs no slab
  take(3 * perSlab);
  EXPECT_EQ(pool.SlabCount(), 3);
  // No two blocks overlap: each still holds what was written into it.
  for (std::size_t i = 0; i < got.size(); ++i)
    for (std::size_t k : {std::size_t{0}, kSize / 2, kSize - 1}) ASSERT_EQ(got[i][k], i % 251) << "block " << i;

  // A block freed and taken again at a slab's edge does not map a slab each time.
  take(1);
  EXPECT_EQ(pool.SlabCount(), 4);
  pool.Free(got.back());
  got.pop_back();
  EXPECT_EQ(pool.SlabCount(), 4);
  take(1);
  EXPECT_EQ(pool.SlabCount(), 4);

  std::mt19937 rng(3);
  std::shuffle(got.begin(), got.end(), rng);
  for (std::size_t i = 0; i < got.size() / 2; ++i) pool.Free(got[i]);
  got.erase(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(got.size() / 2));
  for (auto* p : got) pool.Free(p);
  got.clear();
  EXPECT_EQ(pool.SlabCount(), 1);  // one empty slab is kept for what comes next
  take(perSlab);
  EXPECT_EQ(pool.SlabCount(), 1);
  for (auto* p : got) pool.Free(p);
  pool.Release();
  EXPECT_EQ(pool.SlabCount(), 0);
}

TEST(PageArray, GrowsWithoutLosingValuesAndFillsOnlyWhatIsAdded) {
  CPageArray<std::uint32_t> a;
  a.Resize(1000, 7);
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<std::uint32_t>(i);
  a.Resize(3 << 20, 9);  // far past the first pages: moved by remapping
  ASSERT_EQ(a.size(), std::size_t{3} << 20);
  for (std::size_t i = 0; i < 1000; ++i) ASSERT_EQ(a[i], i);
  EXPECT_EQ(a[1000], 9u);
  EXPECT_EQ(a[a.size() - 1], 9u);
  a.Resize(10, 0);
  a.Resize(20, 5);  // shrunk then grown: the values come back filled, not as they were
  EXPECT_EQ(a[9], 9u);
  EXPECT_EQ(a[10], 5u);
  EXPECT_EQ(a[19], 5u);
  a.Clear();
  EXPECT_EQ(a.size(), 0u);
}

TEST(BlockPool, ReservedSlabsAreFilledFirstAndTheRestGoes) {
  constexpr std::size_t kSize = 16392;
  CBlockPool pool(kSize);
  auto* piece = static_cast<char*>(pool.ReserveSlabs(3));
  ASSERT_NE(piece, nullptr);
  const int perSlab = pool.BlocksPerSlab();
  std::vector<char*> got;
  for (int i = 0; i < perSlab + 5; ++i) {
    auto* p = static_cast<char*>(pool.Allocate(true));
    // Filling takes the reserved slabs from the first block on, not the heap.
    ASSERT_TRUE(p >= piece && p + kSize <= piece + 3 * CBlockPool::kSlabSize) << i;
    std::memset(p, i & 0x7F, kSize);
    got.push_back(p);
  }
  EXPECT_EQ(pool.SlabCount(), 2);
  pool.DropReserve();  // the third slab was never used: it goes, the two in use stay
  for (int i = 0; i < static_cast<int>(got.size()); ++i) ASSERT_EQ(got[i][kSize - 1], i & 0x7F);
  auto* later = static_cast<char*>(pool.Allocate(true));
  EXPECT_TRUE(later >= piece && later < piece + 2 * CBlockPool::kSlabSize);  // room left in the second
  got.push_back(later);
  for (char* p : got) pool.Free(p);
  EXPECT_EQ(pool.SlabCount(), 1);
}
