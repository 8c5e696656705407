#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Locale.h"

TEST(Clock, SystemClockGivesAPlausibleDate) {
  const platform::TLocalDateTime now = platform::LocalNow();
  EXPECT_GE(now.Year, 2020);
  EXPECT_GE(now.Month, 1);
  EXPECT_LE(now.Month, 12);
  EXPECT_LE(now.Hour, 23);
}

TEST(Clock, ReplacementIsUsedAndRestored) {
  auto previous = platform::SetClock([] { return platform::TLocalDateTime{2026, 7, 3}; });
  EXPECT_EQ(platform::LocalNow().Day, 3);
  EXPECT_EQ(platform::LocalNow().Hour, 0);
  platform::SetClock(previous);
  EXPECT_GE(platform::LocalNow().Year, 2020);
}

TEST(Locale, SystemFormatsAreFilledAndOverridable) {
  const platform::TLocaleFormats system = platform::UserLocaleFormats();
  EXPECT_NE(system.DecimalSeparator, '\0');
  EXPECT_NE(system.TimeSeparator, '\0');
  EXPECT_FALSE(system.ShortDateFormat.empty());
  platform::TLocaleFormats comma = system;
  comma.DecimalSeparator = ',';
  platform::SetLocaleFormatsOverride(comma);
  EXPECT_EQ(platform::UserLocaleFormats().DecimalSeparator, ',');
  platform::SetLocaleFormatsOverride(std::nullopt);
  EXPECT_EQ(platform::UserLocaleFormats().DecimalSeparator, system.DecimalSeparator);
}
