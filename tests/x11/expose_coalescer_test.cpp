// SPDX-License-Identifier: MIT
// A series of Expose events repaints once, over the bounding box of the series.
#include <gtest/gtest.h>

#include "x11/expose_coalescer.h"

namespace quorvana {
namespace {

struct Step {
    Rect exposed;
    int remaining;
    std::optional<Rect> repaint;
};

void Play(ExposeCoalescer& coalescer, const std::vector<Step>& steps)
{
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto got = coalescer.Add(steps[i].exposed, steps[i].remaining);
        ASSERT_EQ(got.has_value(), steps[i].repaint.has_value()) << "step " << i;
        if (got) {
            EXPECT_EQ(*got, *steps[i].repaint) << "step " << i;
        }
    }
}

TEST(ExposeCoalescer, RepaintsWhenTheCountReachesZero)
{
    ExposeCoalescer coalescer;
    Play(coalescer, {
                        {{0, 0, 800, 600}, 0, Rect{0, 0, 800, 600}},
                        {{10, 20, 30, 40}, 2, std::nullopt},
                        {{100, 5, 120, 25}, 1, std::nullopt},
                        {{50, 300, 60, 310}, 0, Rect{10, 5, 120, 310}},
                        // the next series starts afresh
                        {{400, 400, 410, 410}, 0, Rect{400, 400, 410, 410}},
                    });
}

TEST(ExposeCoalescer, EmptyRectanglesAddNothingAndAnEmptySeriesRepaintsNothing)
{
    ExposeCoalescer coalescer;
    Play(coalescer, {
                        {{5, 5, 5, 9}, 1, std::nullopt},
                        {{7, 7, 7, 7}, 0, std::nullopt},
                        {{5, 5, 5, 9}, 1, std::nullopt},
                        {{1, 2, 3, 4}, 0, Rect{1, 2, 3, 4}},
                    });
}

}  // namespace
}  // namespace quorvana
