// Display scaling: the sizes of the window and the About box at 96, 120 and 144 dpi, ties to
// even, the centring rule of the picture.
#include "control/DisplayScaling.h"

#include <gtest/gtest.h>

namespace verrask {
namespace {

std::array<int, 7> PanelWidths(int dpi) {
    std::array<int, 7> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i)
        widths[i] = ScaleDesign(dpi, PanelDesignWidths[i]);
    return widths;
}

TEST(DisplayScaling, DesignDensityKeepsTheDesignValues) {
    EXPECT_EQ(PanelWidths(96), (std::array<int, 7>{50, 150, 55, 55, 90, 115, 120}));
    EXPECT_EQ(ScaleDesign(96, CheckBoxDesignHeight), 18);
    EXPECT_EQ(ScaleDesign(96, StatusBarDesignHeight), 32);
}

TEST(DisplayScaling, OneAndAHalfRoundsHalvesToEven) {
    EXPECT_EQ(PanelWidths(144), (std::array<int, 7>{75, 225, 82, 82, 135, 172, 180}));
    EXPECT_EQ(ScaleDesign(144, CheckBoxDesignHeight), 27);
    EXPECT_EQ(ScaleDesign(144, ThumbDesignLength), 27);
    EXPECT_EQ(ScaleDesign(144, StatusBarDesignHeight), 48);
}

TEST(DisplayScaling, OneAndAQuarter) {
    // 68.75, 187.5, 143.75: nearest, and the tie to the even 188.
    EXPECT_EQ(PanelWidths(120), (std::array<int, 7>{62, 188, 69, 69, 112, 144, 150}));
    EXPECT_EQ(ScaleDesign(120, CheckBoxDesignHeight), 22); // 22.5
    EXPECT_EQ(ScaleDesign(120, StatusBarDesignHeight), 40);
}

TEST(DisplayScaling, BackToTheDesignDensityRestoresTheValues) {
    for (int w : {13, 17, 18, 32, 50, 55, 115, 600, 1204}) {
        EXPECT_EQ(ScaleValue(ScaleValue(w, 120, 96), 96, 120), w) << w;
        EXPECT_EQ(ScaleValue(ScaleValue(w, 144, 96), 96, 144), w) << w;
    }
    EXPECT_EQ(ScaleValue(-308, 144, 96), -462);
    EXPECT_EQ(ScaleValue(-3, 3, 2), -4); // -4.5 to the even neighbour
}

TEST(DisplayScaling, AboutIconsInWholePixels) {
    EXPECT_EQ(AboutIconSize(96), 32);
    EXPECT_EQ(AboutIconLeft(96), 16);
    EXPECT_EQ(AboutIconSize(120), 40);
    EXPECT_EQ(AboutIconLeft(120), 20);
    EXPECT_EQ(AboutIconSize(144), 48);
    EXPECT_EQ(AboutIconLeft(144), 24);
    EXPECT_EQ(AboutIconSize(100), 33); // 33.3 truncated
}

TEST(DisplayScaling, PictureCentredAndCutOffOnBothSides) {
    EXPECT_EQ(CentredLeft(600, 1204), -302);
    EXPECT_EQ(CentredLeft(601, 1204), -302);
    EXPECT_EQ(CentredLeft(1300, 1204), 48);
    EXPECT_EQ(CentredLeft(600, 1205), -302);
}

} // namespace
} // namespace verrask
