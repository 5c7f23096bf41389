// The property table: its walking order (which is the order of the pairs in the files),
// repeated keys, and tables far bigger than the program makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/archive/Archive.h"
#include "platform/archive/File.h"
#include "platform/archive/PropertyTable.h"
#include "platform/base/Strings.h"

namespace {

std::vector<std::string> Keys(const CMapStringToString& map) {
  std::vector<std::string> out;
  for (const auto& [key, value] : map) out.push_back(plat::Narrow(key));
  return out;
}

TEST(PropertyTable, PairsWalkBucketByBucketNewestFirst) {
  EXPECT_EQ(CMapStringToString::HashKey(u"Groupname") % 17, 6u);
  EXPECT_EQ(CMapStringToString::HashKey(u"Pathname") % 17, 10u);
  EXPECT_EQ(CMapStringToString::HashKey(u"Filename") % 17, 11u);
  CMapStringToString item;
  item.SetAt(u"Pathname", u"\\a.c");
  item.SetAt(u"Filename", u"a.c");
  item.SetAt(u"Groupname", u"");
  EXPECT_EQ(Keys(item), (std::vector<std::string>{"Groupname", "Pathname", "Filename"}));
  // The tools' keys.
  CMapStringToString tool;
  for (const char16_t* key : {u"Description", u"CommandLine", u"WorkingDir", u"Arguments", u"PromptForArgs"})
    tool.SetAt(key, u"");
  EXPECT_EQ(Keys(tool), (std::vector<std::string>{"CommandLine", "PromptForArgs", "Arguments", "WorkingDir", "Description"}));
  // "a" and "r" share bucket 12 (97 and 114 differ by 17): the newer comes first, and
  // setting the older again keeps its place.
  CMapStringToString same;
  same.SetAt(u"a", u"1");
  same.SetAt(u"r", u"2");
  same.SetAt(u"a", u"3");
  EXPECT_EQ(Keys(same), (std::vector<std::string>{"r", "a"}));
  std::u16string value = u"untouched";
  EXPECT_TRUE(same.Lookup(u"a", value));
  EXPECT_EQ(value, u"3");
  value = u"untouched";
  EXPECT_FALSE(same.Lookup(u"b", value));
  EXPECT_EQ(value, u"untouched");
}

TEST(PropertyTable, ReadingEntersPairsInTheirOrderAndKeepsEveryKey) {
  CMemFile out;
  {
    CArchive ar(&out, CArchive::store);
    ar.WriteCount(4);
    ar << std::u16string_view(u"Pathname") << std::u16string_view(u"first") << std::u16string_view(u"Author")
       << std::u16string_view(u"me") << std::u16string_view(u"Pathname") << std::u16string_view(u"second")
       << std::u16string_view(u"") << std::u16string_view(u"empty key");
    ar.Close();
  }
  CMemFile in(out.Bytes());
  CArchive ar(&in, CArchive::load);
  CMapStringToString table;
  table.Serialize(ar);
  EXPECT_EQ(table.GetCount(), 3u);
  EXPECT_EQ(*table.Find(u"Pathname"), u"second");
  EXPECT_EQ(*table.Find(u"Author"), u"me");
  EXPECT_EQ(*table.Find(u""), u"empty key");
}

TEST(PropertyTable, ABigTableStaysFastAndWalksEveryKeyOnce) {
  // Far more keys than any entry has, as a damaged or hostile file might hold.
  CMapStringToString big;
  constexpr int kKeys = 200000;
  for (int i = 0; i < kKeys; ++i) big.SetAt(plat::Widen("k" + std::to_string(i)), plat::Widen(std::to_string(i)));
  big.SetAt(u"k7", u"again");
  EXPECT_EQ(big.GetCount(), static_cast<std::size_t>(kKeys));
  EXPECT_EQ(*big.Find(u"k7"), u"again");
  EXPECT_EQ(*big.Find(u"k199999"), u"199999");
  EXPECT_EQ(big.Find(u"k200000"), nullptr);
  std::size_t walked = 0;
  std::uint32_t lastBucket = 0;
  for (const auto& [key, value] : big) {
    const std::uint32_t bucket = CMapStringToString::HashKey(key) % 17;
    EXPECT_GE(bucket, lastBucket);
    lastBucket = bucket;
    ++walked;
  }
  EXPECT_EQ(walked, static_cast<std::size_t>(kKeys));
  big.RemoveAll();
  EXPECT_TRUE(big.IsEmpty());
  EXPECT_EQ(big.begin(), big.end());
}

}  // namespace
