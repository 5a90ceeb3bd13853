// Tests that run twice: as Windows, and as Wine with its workarounds
// (platform/quirks.h), so the code each side runs has run here.
#pragma once
#include "platform/quirks.h"
#include <gtest/gtest.h>

#include <ostream>
#include <string>

class BothPlatforms : public testing::TestWithParam<Quirks> {
  protected:
    void SetUp() override { SetPlatformQuirksForTest(GetParam()); }
    void TearDown() override { SetPlatformQuirksForTest(detected_); }
    static bool AsWine() { return PlatformQuirks().nudgeSettleMs != 0; }

  private:
    Quirks detected_ = PlatformQuirks();
};

inline std::string PlatformName(const testing::TestParamInfo<Quirks>& info) {
    return info.param.nudgeSettleMs != 0 ? "AsWine" : "AsWindows";
}

#define RUN_AS_BOTH_PLATFORMS(fixture)                                                             \
    INSTANTIATE_TEST_SUITE_P(, fixture, testing::Values(kWindowsQuirks, kWineQuirks), PlatformName)

inline void PrintTo(const Quirks& quirks, std::ostream* out) {
    *out << (quirks.nudgeSettleMs != 0 ? "Wine's quirks" : "Windows' way");
}
