// The screen's size and zoom from the environment: good values taken, bad ones refused aloud.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/ScreenSettings.h"

namespace {

class ScreenSettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("TOVIN_SCREEN");
    unsetenv("TOVIN_SCALE");
  }
};

}  // namespace

TEST_F(ScreenSettingsTest, WellFormedValuesAreTakenAndMissingOnesKeepTheDefaults) {
  CScreenSettings s = ReadScreenSettings();
  EXPECT_EQ(s.width, 480);
  EXPECT_EQ(s.height, 640);
  EXPECT_EQ(s.scale, 0);
  setenv("TOVIN_SCREEN", "640x480", 1);
  setenv("TOVIN_SCALE", "3", 1);
  s = ReadScreenSettings();
  EXPECT_EQ(s.width, 640);
  EXPECT_EQ(s.height, 480);
  EXPECT_EQ(s.scale, 3);
  EXPECT_TRUE(s.complaints.empty());
  setenv("TOVIN_SCREEN", "", 1);
  setenv("TOVIN_SCALE", "", 1);
  s = ReadScreenSettings();
  EXPECT_EQ(s.width, 480);
  EXPECT_EQ(s.scale, 0);
  EXPECT_TRUE(s.complaints.empty());
}

TEST_F(ScreenSettingsTest, MalformedValuesAreRefusedWithOneLineEach) {
  for (const char* bad : {"2x", "480", "0x0", "-480x640", "480x-640", "480x640x", " 480x640", "480 x 640", "100x640",
                          "99999x640", "480x99999999999"}) {
    setenv("TOVIN_SCREEN", bad, 1);
    const CScreenSettings s = ReadScreenSettings();
    EXPECT_EQ(s.width, 480) << bad;
    EXPECT_EQ(s.height, 640) << bad;
    ASSERT_EQ(s.complaints.size(), 1u) << bad;
    EXPECT_NE(s.complaints[0].find(std::string("TOVIN_SCREEN=") + bad), std::string::npos) << s.complaints[0];
    EXPECT_EQ(s.complaints[0].find('\n'), std::string::npos);
  }
  unsetenv("TOVIN_SCREEN");
  for (const char* bad : {"2x", "-2", "0", "1.5", "17", "x", "99999999999"}) {
    setenv("TOVIN_SCALE", bad, 1);
    const CScreenSettings s = ReadScreenSettings();
    EXPECT_EQ(s.scale, 0) << bad;
    ASSERT_EQ(s.complaints.size(), 1u) << bad;
    EXPECT_NE(s.complaints[0].find(std::string("TOVIN_SCALE=") + bad), std::string::npos) << s.complaints[0];
  }
}
