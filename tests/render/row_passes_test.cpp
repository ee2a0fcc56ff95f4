// SPDX-License-Identifier: MIT
// The passes around the row kernels, in every instruction set: the x
// coordinates against the additions one after the other, bit for bit, and
// the colours, change counts and step sums against the colour rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "render/escape_kernel.h"
#include "render/julia_renderer.h"
#include "tests/render/sequential_sums.h"

namespace quorvana {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t Bits(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

struct AccumulationCase {
    std::string name;
    double x0, step;
    int count;
};

std::vector<AccumulationCase> AccumulationCases()
{
    std::vector<AccumulationCase> cases;
    // Rows as the renderer steps them: random views of every depth, across
    // zero and through many binades.
    std::mt19937_64 random(77);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 60; ++i) {
        const double span = std::ldexp(1.0, -static_cast<int>(random() % 45)) * 12;
        const int width = 1 + static_cast<int>(random() % 2000);
        cases.push_back({"view " + std::to_string(i), unit(random) * 6, span / width, width});
    }
    cases.push_back({"seed 1 first view", -5.9962462233379483, (4.9407559419050813 + 5.9962462233379483) / 1920, 1920});
    cases.push_back({"across zero into subnormals", -3 * 5e-324, 5e-324, 40});
    cases.push_back({"from -0", -0.0, 0.125, 33});
    cases.push_back({"from -0, step -0", -0.0, -0.0, 33});
    cases.push_back({"from +0, step -0", 0.0, -0.0, 33});
    cases.push_back({"exact to zero", -1.0, 0.0625, 40});
    // Ties: half a unit in the last place rounds to even, so the increment
    // alternates and the candidates fail at every other pixel.
    cases.push_back({"ties", 1.0 + std::ldexp(1.0, -52), std::ldexp(1.0, -53), 100});
    cases.push_back({"ties, three halves", 1.0, 3 * std::ldexp(1.0, -53), 100});
    cases.push_back({"below half a unit", 1e6, 1e-12, 50});
    cases.push_back({"binade edges", 1.0 - 1e-3, 1e-4, 300});
    cases.push_back({"down through binades", 100.0, -0.37, 600});
    cases.push_back({"step larger than x", 1e-3, 0.7, 50});
    cases.push_back({"to infinity", 1.7e308, 3e307, 20});
    cases.push_back({"NaN step", 0.5, kNaN, 21});
    cases.push_back({"infinite step", 0.5, kInf, 21});
    cases.push_back({"infinite start", -kInf, 0.25, 21});
    cases.push_back({"NaN start", kNaN, 0.25, 21});
    cases.push_back({"zero step", 0.3, 0.0, 21});
    // Every tail length around the vector widths, and long rows.
    for (int count = 0; count <= 40; ++count)
        cases.push_back({"length " + std::to_string(count), -1.6, 3.2 / (count + 1), count});
    cases.push_back({"length 4097", -2.5, 5.0 / 4097, 4097});
    return cases;
}

TEST(RowPasses, EveryAccumulationMatchesTheAdditionsOneAfterTheOther)
{
    bool multiplyingDiffers = false;  // the cases must be able to tell x0 + i·step apart
    for (const AccumulationCase& c : AccumulationCases()) {
        const std::vector<double> expected = test::SequentialSums(c.x0, c.step, c.count);
        for (int i = 0; i < c.count; ++i)
            multiplyingDiffers |= Bits(c.x0 + i * c.step) != Bits(expected[static_cast<std::size_t>(i)]);
        for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
            std::vector<double> xs(static_cast<std::size_t>(c.count) + 1, 1234.5);  // one past the end stays
            const double past = kernel.accumulate(c.x0, c.step, c.count, xs.data());
            for (int i = 0; i < c.count; ++i)
                ASSERT_EQ(Bits(xs[i]), Bits(expected[i]))
                    << c.name << ", " << kernel.name << ", pixel " << i << ": " << xs[i] << " vs " << expected[i];
            EXPECT_EQ(Bits(past), Bits(expected[static_cast<std::size_t>(c.count)])) << c.name << ", " << kernel.name;
            EXPECT_EQ(xs[static_cast<std::size_t>(c.count)], 1234.5) << c.name << ", " << kernel.name;
        }
    }
    EXPECT_TRUE(multiplyingDiffers);
}

// The colour rules spelled out: the drawn colour and the comparison value
// of the renderer, neighbours compared by their comparison values.
RowTotals ExpectedColours(const std::vector<std::int32_t>& counts, std::vector<COLORREF>& colours)
{
    RowTotals row;
    colours.clear();
    for (std::size_t i = 0; i < counts.size(); ++i) {
        colours.push_back(JuliaRenderer::DrawnColour(counts[i]));
        if (i > 0 && JuliaRenderer::ComparisonValue(counts[i]) != JuliaRenderer::ComparisonValue(counts[i - 1]))
            ++row.changes;
        row.steps += static_cast<std::uint32_t>(counts[i]);
    }
    return row;
}

TEST(RowPasses, EveryColourPassFollowsTheColourRules)
{
    std::mt19937 random(5);
    std::vector<std::vector<std::int32_t>> rows;
    for (int count = 0; count <= 40; ++count) {
        std::vector<std::int32_t> counts;
        // Runs of equal counts and jumps by 256, which change nothing.
        for (int i = 0; i < count; ++i)
            counts.push_back(i > 0 && random() % 3 == 0 ? counts.back() + 256 * static_cast<int>(random() % 2)
                                                        : 1 + static_cast<int>(random() % 512));
        rows.push_back(counts);
    }
    std::vector<std::int32_t> wide(1920);
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = 1 + static_cast<int>(i / 7 % 600);
    rows.push_back(wide);
    // Counts far beyond 512 (other limits), whose step sum needs 64 bits;
    // they stay below the point where 17 · n would overflow the rules' int.
    rows.push_back(std::vector<std::int32_t>(100, 0x7000000));
    rows.push_back({0, 256, 512, 65536, 65537, 0x10000FF, 0x70000FF, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3});

    for (const std::vector<std::int32_t>& counts : rows) {
        std::vector<COLORREF> expectedColours;
        const RowTotals expected = ExpectedColours(counts, expectedColours);
        const int count = static_cast<int>(counts.size());
        for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
            const std::string where = std::string(kernel.name) + ", " + std::to_string(count) + " counts";
            std::vector<COLORREF> colours(counts.size() + 1, 0xDEADBEEF);
            const RowTotals row = kernel.colour(counts.data(), count, colours.data());
            EXPECT_EQ(row.changes, expected.changes) << where;
            EXPECT_EQ(row.steps, expected.steps) << where;
            EXPECT_EQ(colours.back(), 0xDEADBEEF) << where << ": one past the end";
            colours.pop_back();
            EXPECT_EQ(colours, expectedColours) << where;
        }
    }
}

TEST(RowPasses, NothingIsWrittenForAnEmptyRow)
{
    for (const EscapeKernel& kernel : AvailableEscapeKernels()) {
        double x = 7;
        EXPECT_EQ(kernel.accumulate(0.5, 0.25, 0, &x), 0.5) << kernel.name;
        EXPECT_EQ(x, 7) << kernel.name;
        COLORREF colour = 9;
        const std::int32_t count = 3;
        const RowTotals row = kernel.colour(&count, 0, &colour);
        EXPECT_EQ(colour, 9u) << kernel.name;
        EXPECT_EQ(row.changes, 0) << kernel.name;
        EXPECT_EQ(row.steps, 0u) << kernel.name;
    }
}

}  // namespace
}  // namespace quorvana
