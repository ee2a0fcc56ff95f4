// SPDX-License-Identifier: MIT
// The marker's dotted lines: axis-parallel, on even rows only, far end left out.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "render/julia_renderer.h"
#include "tests/render/recording_surface.h"

namespace quorvana {
namespace {

using Pixels = std::set<std::pair<int, int>>;

struct LineCase {
    int x1, y1, x2, y2;
    Pixels expected;
};

TEST(DottedLine, SetsExactlyTheseRowsAndColumns)
{
    const std::vector<LineCase> cases = {
        {5, 4, 2, 4, {{2, 4}, {3, 4}, {4, 4}}},          // endpoints in any order
        {2, 4, 5, 4, {{2, 4}, {3, 4}, {4, 4}}},
        {5, 3, 9, 3, {}},                                 // odd row: nothing
        {3, 6, 3, 6, {}},                                 // a point: nothing
        {7, 1, 0, 6, {{7, 2}, {7, 4}}},                   // vertical at x1, x2 ignored
        {7, 6, 0, 1, {{7, 2}, {7, 4}}},
        {1, -3, 1, 2, {{1, -2}, {1, 0}}},                 // negative rows: -3 is odd, -2 even
        {-2, -4, 1, -4, {{-2, -4}, {-1, -4}, {0, -4}}},   // off the surface still counts
        {4, 0, 4, 1, {{4, 0}}},
    };
    const JuliaRenderer renderer(1);
    for (const LineCase& c : cases) {
        test::RecordingSurface surface(16, 16);
        renderer.DrawDottedLine(surface, c.x1, c.y1, c.x2, c.y2, 7);
        EXPECT_EQ(surface.PixelsSet(), c.expected) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    }
}

TEST(DottedRect, ClosedOutlineWithDottedSides)
{
    const JuliaRenderer renderer(1);
    test::RecordingSurface surface(16, 16);
    renderer.DrawDottedRect(surface, 1, 2, 4, 6, JuliaRenderer::kMarkerColour);
    const Pixels expected = {{1, 2}, {2, 2}, {3, 2},             // top: left … right − 1
                             {1, 6}, {2, 6}, {3, 6}, {4, 6},     // bottom takes in the corner
                             {1, 4}, {4, 2}, {4, 4}};            // sides on even rows
    EXPECT_EQ(surface.PixelsSet(), expected);
    EXPECT_EQ(surface.GetPixel(4, 6), 0x1900u);
}

TEST(DottedRect, FlatRectangleDrawsOnlyItsEdges)
{
    const JuliaRenderer renderer(1);
    test::RecordingSurface surface(16, 16);
    renderer.DrawDottedRect(surface, 2, 4, 5, 4, 1);
    const Pixels expected = {{2, 4}, {3, 4}, {4, 4}, {5, 4}};
    EXPECT_EQ(surface.PixelsSet(), expected);
}

}  // namespace
}  // namespace quorvana
