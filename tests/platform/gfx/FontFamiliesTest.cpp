// The fixed-pitch families the Options dialog offers.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/gfx/FontFamilies.h"

TEST(FontFamilies, FixedPitchFamiliesOnlyEachOnce) {
  const std::vector<std::u16string> names = plat::gfx::ListFixedPitchFamilies();
  const auto has = [&](const std::u16string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
  EXPECT_TRUE(has(u"Liberation Mono"));
  EXPECT_TRUE(has(u"DejaVu Sans Mono"));
  EXPECT_FALSE(has(u"Liberation Sans"));
  EXPECT_FALSE(has(u"DejaVu Sans"));
  // Faces of one family (regular, bold, italic) give one name.
  EXPECT_EQ(std::set<std::u16string>(names.begin(), names.end()).size(), names.size());
}
