#include <windows.h>
#include <gtest/gtest.h>

#include <array>

#include "controls/EditGeometry.h"
#include "controls/Fonts.h"
#include "controls/LinkGeometry.h"
#include "controls/ScreenGeometry.h"
#include "controls/TipGeometry.h"

// RECT lives in the global namespace, so its comparison for the checks does too.
bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace linkloom {
namespace {

constexpr RECT kScreen{0, 0, 1920, 1080};

TEST(ScreenGeometryTest, CentresOnTheAreaWithTruncatingHalves) {
    EXPECT_EQ(CenteredRect({0, 0, 300, 200}, {100, 100, 501, 400}), (RECT{150, 150, 450, 350}));
    // Negative sums truncate toward zero, not down.
    EXPECT_EQ(CenteredRect({0, 0, 300, 200}, {-1001, 0, 0, 200}), (RECT{-650, 0, -350, 200}));
}

TEST(ScreenGeometryTest, KeepOnScreenMovesBackWithoutResizing) {
    // Past the right edge: moved left until it touches, and it counts as fitting.
    ScreenFit fit = KeepRectOnScreen({1800, 100, 2100, 300}, kScreen);
    EXPECT_EQ(fit.rect, (RECT{1620, 100, 1920, 300}));
    EXPECT_TRUE(fit.fits);
    // Left of the screen: put at the left edge and marked for monitor fitting.
    fit = KeepRectOnScreen({-50, 900, 250, 1200}, kScreen);
    EXPECT_EQ(fit.rect, (RECT{0, 780, 300, 1080}));
    EXPECT_FALSE(fit.fits);
    // Taller than the screen: top on the screen's top, height kept.
    fit = KeepRectOnScreen({10, 10, 110, 1210}, kScreen);
    EXPECT_EQ(fit.rect, (RECT{10, 0, 110, 1200}));
    EXPECT_FALSE(fit.fits);
}

TEST(ScreenGeometryTest, FitToMonitorKeepsTheTopLeftCornerOfLargeWindows) {
    const RECT second{1920, 0, 3200, 1024};
    EXPECT_EQ(FitRectToMonitor({3000, 900, 3400, 1100}, second), (RECT{2800, 824, 3200, 1024}));
    EXPECT_EQ(FitRectToMonitor({1800, -20, 2000, 80}, second), (RECT{1920, 0, 2120, 100}));
    EXPECT_EQ(FitRectToMonitor({1900, 0, 3500, 1500}, second), (RECT{1920, 0, 3520, 1500}));
}

TEST(ScreenGeometryTest, ScalesLengthsForTheResolution) {
    EXPECT_EQ(ScaleLength(20, 72), 20);
    EXPECT_EQ(ScaleLength(20, 96), 20);
    EXPECT_EQ(ScaleLength(20, 120), 25);
    EXPECT_EQ(ScaleLength(20, 144), 30);
    EXPECT_EQ(ScaleLength(2, 120), 3);
}

TEST(FontsTest, PointSizeTruncatesToDevicePixels) {
    EXPECT_EQ(PointSizeToPixels(140, 96), 18);
    EXPECT_EQ(PointSizeToPixels(90, 120), 15);
}

TEST(TipGeometryTest, QuadrantsSplitAtTheMiddleWithTiesUpperAndRight) {
    const RECT control{100, 100, 201, 121};  // middle x 150, middle y 110
    EXPECT_EQ(TipQuadrant({120, 115}, control), Quadrant::LowerLeft);
    EXPECT_EQ(TipQuadrant({180, 115}, control), Quadrant::LowerRight);
    EXPECT_EQ(TipQuadrant({120, 105}, control), Quadrant::UpperLeft);
    EXPECT_EQ(TipQuadrant({180, 105}, control), Quadrant::UpperRight);
    EXPECT_EQ(TipQuadrant({149, 110}, control), Quadrant::UpperLeft);
    EXPECT_EQ(TipQuadrant({150, 111}, control), Quadrant::LowerRight);
}

TEST(TipGeometryTest, TipSitsAboveForLowerQuadrantsAndBelowForUpperOnes) {
    const RECT control{100, 100, 300, 120};
    const TipLayout oneLine{2, 20, 82, 1, 13};
    EXPECT_EQ(TipRect({150, 115}, control, Quadrant::LowerLeft, oneLine), (RECT{150, 83, 252, 100}));
    const TipLayout twoLines{2, 20, 82, 2, 13};
    EXPECT_EQ(TipRect({150, 105}, control, Quadrant::UpperRight, twoLines), (RECT{150, 120, 252, 150}));
    // Only the right edge is enforced.
    EXPECT_EQ(ShiftLeftOfEdge({1900, 1070, 2000, 1090}, 1920), (RECT{1820, 1070, 1920, 1090}));
    EXPECT_EQ(ShiftLeftOfEdge({-10, 0, 90, 20}, 1920), (RECT{-10, 0, 90, 20}));
}

TEST(TipGeometryTest, StripAndTextShareTheClientArea) {
    const TipLayout layout{2, 20, 82, 1, 13};
    const RECT client{0, 0, 102, 17};
    const RECT strip = TipStripRect(client, layout);
    EXPECT_EQ(strip, (RECT{0, 0, 16, 17}));
    EXPECT_EQ(TipTextRect(client, strip, layout), (RECT{18, 1, 102, 17}));
}

TEST(TipGeometryTest, ArrowPointsSitInTheCornerFacingTheControl) {
    const RECT strip{0, 0, 16, 30};
    // Where each quadrant's arrow starts; its shape is one table, mirrored.
    const std::pair<Quadrant, POINT> corners[] = {{Quadrant::LowerLeft, {13, 27}},
                                                  {Quadrant::LowerRight, {3, 27}},
                                                  {Quadrant::UpperLeft, {13, 2}},
                                                  {Quadrant::UpperRight, {2, 2}}};
    std::array<POINT, 18> points{};
    for (const auto& [quadrant, corner] : corners) {
        ASSERT_TRUE(TipArrowPoints(quadrant, strip, points));
        EXPECT_EQ(points[0].x, corner.x);
        EXPECT_EQ(points[0].y, corner.y);
        // From its corner it spreads up in the lower quadrants and left in the left ones.
        const bool lower = quadrant == Quadrant::LowerLeft || quadrant == Quadrant::LowerRight;
        const bool left = quadrant == Quadrant::LowerLeft || quadrant == Quadrant::UpperLeft;
        EXPECT_EQ(points[1].y < corner.y, lower);
        EXPECT_EQ(points[17].x < corner.x, left);
    }
    EXPECT_FALSE(TipArrowPoints(Quadrant::None, strip, points));
    EXPECT_FALSE(TipArrowPoints(static_cast<Quadrant>(5), strip, points));
}

TEST(LinkGeometryTest, TextRectFollowsTheStaticsAlignment) {
    EXPECT_EQ(LinkAlignment(SS_LEFT), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(LinkAlignment(SS_CENTER | SS_NOTIFY), static_cast<UINT>(DT_CENTER));
    EXPECT_EQ(LinkAlignment(SS_RIGHT), static_cast<UINT>(DT_RIGHT));
    const RECT client{0, 0, 101, 13};
    const RECT measured{0, 0, 40, 13};
    EXPECT_EQ(AlignedTextRect(client, measured, DT_LEFT), measured);
    EXPECT_EQ(AlignedTextRect(client, measured, DT_CENTER), (RECT{30, 0, 70, 13}));
    EXPECT_EQ(AlignedTextRect(client, measured, DT_RIGHT), (RECT{61, 0, 101, 13}));
}

TEST(EditGeometryTest, IconEdgeFallsBackToSixteenInLowBoxes) {
    EXPECT_EQ(DecorationIconEdge(16, 24), 16);
    EXPECT_EQ(DecorationIconEdge(24, 19), 16);
    EXPECT_EQ(DecorationIconEdge(24, 20), 24);
    EXPECT_EQ(DecorationIconBox(21, 16), (RECT{2, 2, 18, 18}));
    EXPECT_EQ(DecorationButtonRect({0, 0, 300, 21}, 20), (RECT{280, 0, 300, 21}));
}

}  // namespace
}  // namespace linkloom
