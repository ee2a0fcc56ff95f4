// SPDX-License-Identifier: MIT
// The detail search in row order against the same search column by column,
// on random pictures with random clips and best rows near and past the
// edges, and on a few pictures worked out by hand.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "render/julia_renderer.h"
#include "render/pixel_store.h"
#include "tests/support/detail_search_reference.h"
#include "tests/support/julia_renderer_peer.h"

namespace quorvana {
namespace {

// A surface with only the four basic operations: row reads fall back to
// single reads, as for a surface that is not a pixel store.
class PixelOnlySurface final : public Surface {
public:
    explicit PixelOnlySurface(PixelStore& store) : m_store(store) {}
    void SetPixel(int x, int y, COLORREF colour) override { m_store.SetPixel(x, y, colour); }
    COLORREF GetPixel(int x, int y) const override { return m_store.GetPixel(x, y); }
    void FillBlack(const Rect& rect) override { m_store.FillBlack(rect); }
    Rect ClientRect() const override { return m_store.ClientRect(); }

private:
    PixelStore& m_store;
};

JuliaRenderer SearchAt(int width, int height, int bestRow)
{
    JuliaRenderer renderer(1);
    JuliaRendererPeer state(renderer);
    state.m_width = width;
    state.m_height = height;
    state.m_bestRow = bestRow;
    return renderer;
}

TEST(DetailSearch, RowOrderFindsTheColumnOfColumnOrderOnRandomPictures)
{
    std::mt19937 random(7);
    // Few colours, so that runs and repeats are common; kNoPixel drawn into
    // the store as well, where it must not be told apart from a read outside.
    const COLORREF palette[] = {kBlack, MakeRgb(0, 11, 0), MakeRgb(0, 22, 0), MakeRgb(0, 25, 0), kNoPixel};
    int zoomsOffColumnZero = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int width = 1 + static_cast<int>(random() % 70);
        const int height = 1 + static_cast<int>(random() % 90);
        PixelStore store(width, height);
        const int colours = 1 + static_cast<int>(random() % 5);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) store.SetPixel(x, y, palette[random() % colours]);
        if (random() % 2) {
            const int left = static_cast<int>(random() % (width + 2)) - 1;
            const int top = static_cast<int>(random() % (height + 2)) - 1;
            store.SetClip(Rect{left, top, left + static_cast<int>(random() % (width + 1)),
                               top + static_cast<int>(random() % (height + 1))});
        }
        // Best rows anywhere from above the picture to below it, odd ones too.
        const int bestRow = static_cast<int>(random() % (height + 12)) - 6;
        const JuliaRenderer renderer = SearchAt(width, height, bestRow);
        const int expected = FindDetailColumnColumnOrder(renderer, store);
        const std::string where = "trial " + std::to_string(trial) + ": " + std::to_string(width) + "x" +
                                  std::to_string(height) + " best row " + std::to_string(bestRow);
        EXPECT_EQ(renderer.FindDetailColumn(store), expected) << where;
        PixelOnlySurface pixelOnly(store);
        EXPECT_EQ(renderer.FindDetailColumn(pixelOnly), expected) << where << " (single reads)";
        zoomsOffColumnZero += expected > 0;
    }
    EXPECT_GT(zoomsOffColumnZero, 100);  // the pictures do exercise the search
}

struct HandCase {
    std::string name;
    std::vector<std::string> rows;  // one letter per pixel: . black, g green, m marker
    Rect clip;
    int bestRow;
    int expected;
};

COLORREF Colour(char letter)
{
    switch (letter) {
    case 'g': return MakeRgb(0, 11, 0);
    case 'm': return MakeRgb(0, 25, 0);
    default: return kBlack;
    }
}

TEST(DetailSearch, HandWorkedPictures)
{
    // Height 16 gives a half-window of 4: rows best − 4, − 2, best, + 2.
    const std::vector<std::string> stripes = {
        "..g.g.", "......", "..gg.g", "......", "..g.gg", "......", "..gggg", "......",
        "...g..", "......", "..g..g", "......", "..gg..", "......", "....gg", "......"};
    const Rect all{0, 0, 6, 16};
    const HandCase cases[] = {
        // Rows 4, 6, 8, 10. Column 2 reads g g . g: 3 changes counted from
        // black; column 3 . g g . and column 4 g g . . 2 each; column 5
        // g g . g 3. Columns 2 and 5 tie: the leftmost wins.
        {"leftmost of equal columns", stripes, all, 8, 2},
        // Rows −2, 0, 2, 4: the row above the picture reads kNoPixel, a
        // change from black in every column. Column 3 X . g . and column 4
        // X g . g count 4 each, the most: column 3.
        {"rows above the picture count", stripes, all, 2, 3},
        // Rows 10, 12, 14, 16: row 16 lies below the picture. Column 5 reads
        // g . g X: 4 changes; columns 2 and 3 count 3.
        {"rows below the picture count", stripes, all, 14, 5},
        // The same as the first, with columns 0 … 2 clipped away: they read
        // kNoPixel on every row (1 change); column 5 has 3 and now wins.
        {"clipped columns read as outside", stripes, Rect{3, 0, 6, 16}, 8, 5},
        // A picture of one colour: every column counts the same and column 0 stays.
        {"uniform picture", std::vector<std::string>(16, "gggggg"), all, 8, 0},
    };
    for (const HandCase& c : cases) {
        const int width = static_cast<int>(c.rows[0].size());
        const int height = static_cast<int>(c.rows.size());
        PixelStore store(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) store.SetPixel(x, y, Colour(c.rows[y][x]));
        store.SetClip(c.clip);
        const JuliaRenderer renderer = SearchAt(width, height, c.bestRow);
        EXPECT_EQ(FindDetailColumnColumnOrder(renderer, store), c.expected) << c.name << " (column order)";
        EXPECT_EQ(renderer.FindDetailColumn(store), c.expected) << c.name;
    }
}

TEST(DetailSearch, WindowsBelowEightRowsReadNothing)
{
    PixelStore store(5, 7);
    store.SetPixel(3, 2, MakeRgb(0, 11, 0));
    for (int bestRow : {0, 2, 4, 6}) {
        const JuliaRenderer renderer = SearchAt(5, 7, bestRow);
        EXPECT_EQ(renderer.FindDetailColumn(store), 0);
        EXPECT_EQ(FindDetailColumnColumnOrder(renderer, store), 0);
    }
}

}  // namespace
}  // namespace quorvana
