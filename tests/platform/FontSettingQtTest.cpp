#include "platform/FontSettingQt.h"

#include <gtest/gtest.h>

namespace {

TEST(FontSettingQt, ColoursRoundTripAndShowTheLowThreeBytes) {
    const struct {
        long long stored;
        QColor shown;
    } cases[] = {
        {0, QColor(0, 0, 0)},
        {255, QColor(255, 0, 0)},
        {65280, QColor(0, 255, 0)},
        {16711680, QColor(0, 0, 255)},
        {6567967, QColor(0x1f, 0x38, 0x64)},
        {16777216 + 255, QColor(255, 0, 0)}, // what the screen cannot show is dropped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(platform::toQColor(c.stored), c.shown);
        EXPECT_EQ(platform::fromQColor(c.shown), c.stored & 0xffffff);
    }
}

TEST(FontSettingQt, FontsRoundTripFaceSizeAndStyle) {
    for (int style = 0; style <= store::kStyleBits; ++style) {
        SCOPED_TRACE(style);
        const store::FontSetting setting{"Arial", 14, 0, style};
        EXPECT_EQ(platform::fromQFont(platform::toQFont(setting)), setting);
    }
    // Only the four bits are styles; the rest is not shown.
    EXPECT_EQ(platform::fromQFont(platform::toQFont({"Arial", 14, 0, 16 + 5})).style, 5);
    // No face is the desktop's, no size is ten points.
    const QFont unset = platform::toQFont({"", 0, 0, 0});
    EXPECT_EQ(unset.family(), QFont().family());
    EXPECT_EQ(unset.pointSize(), platform::kShownPointSizeWhenUnset);
}

} // namespace
