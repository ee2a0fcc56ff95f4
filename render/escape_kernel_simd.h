// SPDX-License-Identifier: MIT
// The vector escape loop shared by the SSE2, AVX2, AVX-512 and NEON kernels;
// only their source files include it, each compiled for its own
// instruction set.
//
// A row goes in two passes per chunk: a quick pass settles the many points
// that leave the loop within a few steps, one vector at a time; the points
// still in the loop after it are gathered with the z they reached and
// continued by interleaved vectors ("slots") until they leave or reach the
// limit.
//
// Exactness: every lane performs the plain loop's operations in the same
// order and rounding. z · z is formed once per step and serves both the
// escape test of the step before and the next z; 2 · (zr · zi) is taken as
// p + p, which is the same value for every p. A lane that has left the loop
// keeps computing but its count no longer moves. A point continued by the
// slots resumes from its exact z, so splitting its loop changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "render/escape_kernel.h"

#define QUORVANA_INLINE inline __attribute__((always_inline))

namespace quorvana {
// Internal linkage: each instruction set's translation unit gets its own
// copy, so the linker can never hand the SSE2 kernel an AVX2 body.
namespace {

// V supplies the vector type and its operations:
//   Real, Mask (a vector of all-ones lanes, or a bit per lane), Count; kLanes;
//   Load, Store, Splat, Add, Sub, Mul, Less, And, Or, AllLanes, NoLanes,
//   CountOf (each lane the given count), CountLive (count + 1 in live
//   lanes), Any, Lanes (a bit per live lane), StoreCounts (to kLanes int64
//   values), StoreSmallCounts (to kLanes int32 values, each below 2³¹);
//   AppendLanes (the lanes of a bit mask packed to the front of three
//   arrays, which have room for kLanes values, and their number);
//   for the accumulation (AVX2 and AVX-512): Iota (1, 2 … kLanes), ShiftIn (the
//   last lane of one vector followed by all but the last lane of the next)
//   and SameBits (a bit per lane whose two values are the same 64 bits);
//   for the colours: Ints of kIntLanes 32-bit lanes with LoadInts,
//   StoreInts (any lanes, to memory), SplatInts, AndInts, XorInts, SubInts,
//   EqualInts (all ones where equal), MulLow16 (the low 16 bits of each
//   16-bit product) and AddWidened (64-bit sums plus the lanes of n, widened
//   and added pairwise).
template <class V, bool kOnceOutStaysOut>
struct EscapeSteps {
    using Real = typename V::Real;
    using Mask = typename V::Mask;
    using Count = typename V::Count;
    static constexpr int kLanes = V::kLanes;

    struct Slot {
        Real zr;
        Real zi;
        Mask live;
        Count n;
    };

    // The first step, which the plain loop takes without a test: z = x + iy
    // squared plus c, every lane in the loop with a count of 1.
    static QUORVANA_INLINE void Start(Real x, Real y, Real cRe, Real cIm, Slot& z)
    {
        const Real p = V::Mul(x, y);
        z.zr = V::Add(V::Sub(V::Mul(x, x), V::Mul(y, y)), cRe);
        z.zi = V::Add(V::Add(p, p), cIm);
        z.live = V::AllLanes();
        z.n = V::CountOf(1);
    }

    // One step of the loop for every lane: the escape test of the current z
    // (the plain loop tests each new z right after forming it), then the next z.
    static QUORVANA_INLINE void Step(Real cRe, Real cIm, Real four, Slot& z)
    {
        const Real zr2 = V::Mul(z.zr, z.zr);
        const Real zi2 = V::Mul(z.zi, z.zi);
        const Mask inside = V::Less(V::Add(zi2, zr2), four);
        z.live = kOnceOutStaysOut ? inside : V::And(z.live, inside);
        z.n = V::CountLive(z.n, z.live);
        const Real p = V::Mul(z.zr, z.zi);
        z.zr = V::Add(V::Sub(zr2, zi2), cRe);
        z.zi = V::Add(V::Add(p, p), cIm);
    }
};

// Points that the quick pass of a chunk left in the loop: where each one
// stands (its z, not yet tested) and which pixel it is. They all took the
// same number of steps, so their counts need not be kept.
template <int kCapacity>
struct PendingPoints {
    double zr[kCapacity];
    double zi[kCapacity];
    std::int32_t at[kCapacity];
    int count = 0;
};

// Applies f to every index 0 … kCount − 1 as a compile-time constant, so
// that slots and vector groups stay in registers rather than in an array
// indexed at run time.
template <int kCount, class F, int... I>
QUORVANA_INLINE void ForEachIndexOf(F&& f, std::integer_sequence<int, I...>)
{
    (f(std::integral_constant<int, I>{}), ...);
}
template <int kCount, class F>
QUORVANA_INLINE void ForEachIndex(F&& f)
{
    ForEachIndexOf<kCount>(f, std::make_integer_sequence<int, kCount>{});
}

// The long-running points of a chunk, continued from where the quick pass
// left them. Several independent vectors ("slots") iterate side by side so
// that the latency of one is hidden behind the others. Each slot holds a few
// pending points and carries only z, the mask of lanes still in the loop and
// a count per lane. As soon as every lane of a slot has left the loop (or
// the slot has taken the iteration limit), its counts are stored and the
// slot takes the next pending points, so a long-running point holds up only
// the few points of its own vector.
template <class V, int kSlots, int kStepsPerCheck, bool kOnceOutStaysOut>
struct EscapeSlots {
    using Steps = EscapeSteps<V, kOnceOutStaysOut>;
    using Slot = typename Steps::Slot;
    using Real = typename V::Real;
    static constexpr int kLanes = V::kLanes;

    template <class F>
    static QUORVANA_INLINE void ForEachSlot(F&& f)
    {
        ForEachIndex<kSlots>(f);
    }

    // Every pending point has taken stepsTaken steps (fewer than the limit)
    // and is still in the loop; its count goes to counts[at].
    template <int kCapacity>
    static void Run(PendingPoints<kCapacity>& pending, int stepsTaken, int limit, Real cRe, Real cIm,
                    std::int32_t* counts)
    {
        // Lanes past the last point start from NaN, which leaves the loop at
        // the first test; their counts are never stored.
        for (int i = 0; i < kLanes; ++i) pending.zr[pending.count + i] = pending.zi[pending.count + i] = __builtin_nan("");
        const Real four = V::Splat(4.0);

        Slot slot[kSlots];
        int first[kSlots];  // index of the slot's first point, -1 when idle
        int steps[kSlots];  // steps its points have taken, all the same
        int next = 0;       // the next pending point still to be loaded
        int busy = 0;

        ForEachSlot([&](auto s) {
            busy += Resume(pending, stepsTaken, next, slot[s], first[s]);
            steps[s] = stepsTaken;
        });
        while (busy > 0) {
            // Step every slot until one of them is done: all its lanes have
            // left the loop, or it may have reached the limit.
            int budget = limit;
            ForEachSlot([&](auto s) {
                if (first[s] >= 0 && limit - steps[s] < budget) budget = limit - steps[s];
            });
            int taken = 0;
            bool allLive;
            do {
                for (int k = 0; k < kStepsPerCheck; ++k)
                    ForEachSlot([&](auto s) { Steps::Step(cRe, cIm, four, slot[s]); });
                taken += kStepsPerCheck;
                allLive = true;
                ForEachSlot([&](auto s) { allLive &= V::Any(slot[s].live); });
            } while (allLive && taken < budget);

            ForEachSlot([&](auto s) {
                steps[s] += taken;
                if (first[s] < 0 || (V::Any(slot[s].live) && steps[s] < limit)) return;
                Store(pending, limit, steps[s], slot[s].n, first[s], counts);
                busy -= 1 - Resume(pending, stepsTaken, next, slot[s], first[s]);
                steps[s] = stepsTaken;
            });
        }
    }

    // Loads the next kLanes pending points into a slot, every lane in the
    // loop with the steps already taken. Returns 0 and leaves the slot idle
    // when none are left.
    template <int kCapacity>
    static QUORVANA_INLINE int Resume(const PendingPoints<kCapacity>& pending, int stepsTaken, int& next, Slot& z,
                                      int& first)
    {
        if (next >= pending.count) {  // idle: steps on zeros until the others finish
            first = -1;
            z.zr = z.zi = V::Splat(0.0);
            z.live = V::NoLanes();
            z.n = V::CountOf(1);
            return 0;
        }
        z.zr = V::Load(pending.zr + next);
        z.zi = V::Load(pending.zi + next);
        z.live = V::AllLanes();
        z.n = V::CountOf(stepsTaken);
        first = next;
        next += kLanes;
        return 1;
    }

    // A lane that was still in the loop when the slot stopped has reached
    // the limit; the few steps past it that a check interval may add are cut.
    // No count exceeds the steps taken, so most slots need no cut at all.
    template <int kCapacity>
    static QUORVANA_INLINE void Store(const PendingPoints<kCapacity>& pending, int limit, int steps,
                                      typename V::Count n, int first, std::int32_t* counts)
    {
        const std::int32_t* at = pending.at + first;
        if (steps <= limit && pending.count - first >= kLanes) {  // the common case
            std::int32_t lanes[kLanes];
            V::StoreSmallCounts(n, lanes);
            for (int i = 0; i < kLanes; ++i) counts[at[i]] = lanes[i];
            return;
        }
        std::int64_t lanes[kLanes];
        V::StoreCounts(n, lanes);
        const int valid = pending.count - first < kLanes ? pending.count - first : kLanes;
        for (int i = 0; i < valid; ++i) counts[at[i]] = static_cast<std::int32_t>(lanes[i] < limit ? lanes[i] : limit);
    }
};

// For |c| < 2 a point that has left the loop never comes back: from
// |z|² ≥ 4 follows |z² + c| ≥ 4 − |c| > 2, and infinities and NaN stay what
// they are. The test below bounds each part of c by 1.3, which bounds |c|
// by 1.3 · √2 ≈ 1.84; there the margin (|z² + c| ≥ 2.16) dwarfs every
// rounding, so the escape test alone tells which lanes are still counting
// and the mask needs no carrying over. Other c carry the mask.
inline bool OnceOutStaysOut(const EscapeRowJob& job)
{
    return __builtin_fabs(job.cRe) < 1.3 && __builtin_fabs(job.cIm) < 1.3;
}

// Most points of a typical picture leave the loop within a few steps, where
// the slots' bookkeeping would cost more than the steps themselves. So the
// row goes by chunks: a quick pass takes the vectors of the chunk kGroup at
// a time for at most kQuickSteps steps; the points that are then still in
// the loop are gathered with their z and continued by the slots.
//
// The vectors of a group step side by side, so that their dependency chains
// overlap, and leave the quick pass together, after one test of them all:
// a group whose every lane has left the loop stops, and one with any lane
// still in it goes on to kQuickSteps. A lane that has left keeps its count
// through the steps of its neighbours (see Step), so each count is what the
// vector alone would have reached, and every point left for the slots has
// taken exactly kQuickSteps steps.
template <class V, int kGroup, bool kOnceOutStaysOut>
struct QuickPass {
    using Steps = EscapeSteps<V, kOnceOutStaysOut>;
    using Slot = typename Steps::Slot;
    using Real = typename V::Real;
    using Mask = typename V::Mask;
    static constexpr int kLanes = V::kLanes;
    static constexpr int kQuickSteps = 4;

    template <class F>
    static QUORVANA_INLINE void ForEachVector(F&& f)
    {
        ForEachIndex<kGroup>(f);
    }

    // The kGroup · kLanes points from i on, all within the row. Returns
    // whether any of them is left in the loop (and so appended to pending).
    template <int kCapacity>
    static QUORVANA_INLINE bool Run(const double* xs, int i, Real y, Real cRe, Real cIm, Real four, int limit,
                                    bool busy, std::int32_t* counts, PendingPoints<kCapacity>& pending)
    {
        Slot z[kGroup];
        ForEachVector([&](auto g) { Steps::Start(V::Load(xs + i + g * kLanes), y, cRe, cIm, z[g]); });
        int steps = 1;
        if (busy) {
            // No test between the steps: the group spares the exits that a
            // branch would mispredict.
            for (int k = 1; k < kQuickSteps; ++k) ForEachVector([&](auto g) { Steps::Step(cRe, cIm, four, z[g]); });
            steps = kQuickSteps;
        } else {
            while (steps < kQuickSteps && steps < limit) {
                ForEachVector([&](auto g) { Steps::Step(cRe, cIm, four, z[g]); });
                ++steps;
                Mask any = z[0].live;
                ForEachVector([&](auto g) {
                    if constexpr (g > 0) any = V::Or(any, z[g].live);
                });
                if (!V::Any(any)) break;
            }
        }
        // Counts cannot pass the steps taken, so none exceeds the limit;
        // those of lanes still in the loop are replaced by the slots.
        ForEachVector([&](auto g) { V::StoreSmallCounts(z[g].n, counts + i + g * kLanes); });
        if (steps >= limit) return false;  // at the limit: done
        int open[kGroup];
        int anyOpen = 0;
        ForEachVector([&](auto g) {
            open[g] = V::Lanes(z[g].live);
            anyOpen |= open[g];
        });
        if (anyOpen == 0) return false;
        ForEachVector([&](auto g) {
            if (open[g] != 0)
                pending.count += V::AppendLanes(open[g], z[g].zr, z[g].zi, i + g * kLanes, pending.zr + pending.count,
                                                pending.zi + pending.count, pending.at + pending.count);
        });
        return limit >= kQuickSteps;
    }

    // The last few vectors of a chunk, one at a time, as groups of one: the
    // points from i on, up to end, which may leave the vector part empty.
    template <int kCapacity>
    static QUORVANA_INLINE void RunOneVector(const double* xs, int i, int end, Real y, Real cRe, Real cIm, Real four,
                                             int limit, std::int32_t* counts, PendingPoints<kCapacity>& pending)
    {
        const bool whole = end - i >= kLanes;
        Real x;
        if (whole) {
            x = V::Load(xs + i);
        } else {  // lanes past the end start from NaN and leave at the first test
            double padded[kLanes];
            for (int lane = 0; lane < kLanes; ++lane) padded[lane] = i + lane < end ? xs[i + lane] : __builtin_nan("");
            x = V::Load(padded);
        }
        Slot z;
        Steps::Start(x, y, cRe, cIm, z);
        int steps = 1;
        while (steps < kQuickSteps && steps < limit && V::Any(z.live)) {
            Steps::Step(cRe, cIm, four, z);
            ++steps;
        }
        if (whole) {
            V::StoreSmallCounts(z.n, counts + i);
        } else {
            std::int32_t n[kLanes];
            V::StoreSmallCounts(z.n, n);
            for (int lane = 0; i + lane < end; ++lane) counts[i + lane] = n[lane];
        }
        const int open = steps < limit ? V::Lanes(z.live) : 0;  // at the limit: done
        if (open != 0)
            pending.count += V::AppendLanes(open, z.zr, z.zi, i, pending.zr + pending.count, pending.zi + pending.count,
                                            pending.at + pending.count);
    }
};

template <class V, int kSlots, int kStepsPerCheck, int kGroup, bool kOnceOutStaysOut>
void RunInChunks(const EscapeRowJob& job, std::int32_t* counts)
{
    using Slots = EscapeSlots<V, kSlots, kStepsPerCheck, kOnceOutStaysOut>;
    using Group = QuickPass<V, kGroup, kOnceOutStaysOut>;
    using Real = typename V::Real;
    constexpr int kLanes = V::kLanes;
    // A row of a usual window in one chunk: the slots' last points run on
    // with few lanes busy, which is best paid once per row (the queue of a
    // chunk lives on the stack, some 40 KB).
    constexpr int kChunk = 2048;
    constexpr int kQuickSteps = Group::kQuickSteps;
    // The first step is always taken, so a limit below 1 acts as 1.
    const int limit = job.maxIter < 1 ? 1 : job.maxIter;
    const Real cRe = V::Splat(job.cRe);
    const Real cIm = V::Splat(job.cIm);
    const Real four = V::Splat(4.0);
    const Real y = V::Splat(job.y);
    const double* const xs = job.xs;

    // Room for a chunk and the padding lanes of its last vector.
    PendingPoints<kChunk + kLanes> pending;
    for (int chunk = 0; chunk < job.count; chunk += kChunk) {
        const int end = job.count - chunk < kChunk ? job.count : chunk + kChunk;
        pending.count = 0;
        // Neighbours leave the loop after much the same number of steps:
        // when a group still had points in the loop after the quick pass,
        // the next one most likely has too, and takes every quick step
        // (where the limit lets it).
        bool busy = false;
        int i = chunk;
        for (; end - i >= kGroup * kLanes; i += kGroup * kLanes)
            busy = Group::Run(xs, i, y, cRe, cIm, four, limit, busy, counts, pending);
        // The last few vectors of the chunk, one at a time.
        for (; i < end; i += kLanes) Group::RunOneVector(xs, i, end, y, cRe, cIm, four, limit, counts, pending);
        if (pending.count > 0) Slots::Run(pending, kQuickSteps, limit, cRe, cIm, counts);
    }
}

// The colours, the change count and the step sum of a row, V::kIntLanes
// counts per vector. The pixels before the first colour on a vector
// boundary go first one by one (pixel 0 always among them, so that every
// vector has the counts one place before it to compare with): a store
// across two cache lines costs about two. The pixels after the last whole
// vector go one by one, each compared with the one before it.
template <class V>
RowTotals ColourRow(const std::int32_t* counts, int count, COLORREF* colours)
{
    using Ints = typename V::Ints;
    constexpr int kLanes = V::kIntLanes;
    if (count <= 0) return {};
    constexpr std::size_t kVectorBytes = sizeof(COLORREF) * kLanes;
    const std::size_t past = reinterpret_cast<std::uintptr_t>(colours + 1) % kVectorBytes;
    int head = 1 + static_cast<int>((kVectorBytes - past) % kVectorBytes / sizeof(COLORREF));
    if (head > count) head = count;
    RowTotals row = ColourRowScalar(counts, head, colours);
    const Ints zero = V::SplatInts(0);
    // 16-bit products suffice: green is bits 8 … 15 of kGreenStep · 256 · n,
    // which depend on the low 16 bits of n alone (the upper halves multiply by 0).
    static_assert(kGreenStep << 8 <= 0xFFFF, "the step times 256 fits a 16-bit lane");
    const Ints scale = V::SplatInts(static_cast<int>(kGreenStep << 8));
    const Ints green = V::SplatInts(0xFF00);
    const Ints lowByte = V::SplatInts(0xFF);
    Ints same = zero;   // per lane: neighbours equal in their low bytes
    Ints steps = zero;  // 64-bit sums of the counts
    int i = head;
    for (; count - i >= kLanes; i += kLanes) {
        const Ints n = V::LoadInts(counts + i);
        const Ints before = V::LoadInts(counts + i - 1);
        V::StoreInts(V::AndInts(V::MulLow16(n, scale), green), colours + i);
        // An equal lane is all ones, that is −1: subtracting it counts the pair.
        same = V::SubInts(same, V::EqualInts(V::AndInts(V::XorInts(n, before), lowByte), zero));
        steps = V::AddWidened(steps, n);
    }
    std::int32_t sameLanes[kLanes];
    std::uint64_t stepLanes[kLanes / 2];
    V::StoreInts(same, sameLanes);
    V::StoreInts(steps, stepLanes);
    row.changes += i - head;
    for (std::int32_t lane : sameLanes) row.changes -= lane;
    for (std::uint64_t lane : stepLanes) row.steps += lane;
    // The tail starts at the last pixel done, to compare with it; its count
    // is in the sums already.
    const RowTotals tail = ColourRowScalar(counts + i - 1, count - i + 1, colours + i - 1);
    row.changes += tail.changes;
    row.steps += tail.steps - static_cast<std::uint32_t>(counts[i - 1]);
    return row;
}

// The x coordinates of a row, as AccumulateRowFunction promises: the same
// values as the additions one after the other, found without waiting for
// each addition in turn. Within a binade every sum x + step lands on the
// same grid, so the rounded increment d is the same from pixel to pixel and
// x_{i+k} = x_i + k·d, both operations exact. Those candidates are formed
// kLanes at a time and checked against the real additions, each candidate
// plus step against the next one, bit for bit (so -0 and NaN are told
// apart). A row whose every candidate passes is exactly the sequential one:
// x_0 is given, and each x_{i+1} was checked to be x_i + step. Where a
// check fails (a new binade, a tie rounding to even, a step that is not a
// number), the additions that were checked stand, the failing one is taken
// from the check itself, and d is found afresh from there.
template <class V>
double AccumulateRow(double x0, double step, int count, double* xs)
{
    using Real = typename V::Real;
    constexpr int kLanes = V::kLanes;
    constexpr int kAllSame = (1 << kLanes) - 1;
    if (count <= 0) return x0;
    xs[0] = x0;
    const Real steps = V::Splat(step);
    int i = 1;  // xs[i − 1] is final
    while (count - i >= kLanes) {
        const double base = xs[i - 1];
        const Real bases = V::Splat(base);
        const Real d = V::Splat((base + step) - base);
        Real k = V::Iota();
        Real before = bases;  // its last lane is xs[i − 1]
        // Two vectors per turn: the checks of one overlap those of the other.
        while (count - i >= 2 * kLanes) {
            const Real candidate = V::Add(bases, V::Mul(k, d));
            const Real candidate2 = V::Add(bases, V::Mul(V::Add(k, V::Splat(kLanes)), d));
            const Real sum = V::Add(V::ShiftIn(before, candidate), steps);
            const Real sum2 = V::Add(V::ShiftIn(candidate, candidate2), steps);
            const int same = V::SameBits(sum, candidate);
            const int same2 = V::SameBits(sum2, candidate2);
            if ((same & same2) != kAllSame) break;  // the vector at a time below finds where
            V::Store(candidate, xs + i);
            V::Store(candidate2, xs + i + kLanes);
            i += 2 * kLanes;
            before = candidate2;
            k = V::Add(k, V::Splat(2 * kLanes));
        }
        while (count - i >= kLanes) {
            const Real candidate = V::Add(bases, V::Mul(k, d));
            const Real sum = V::Add(V::ShiftIn(before, candidate), steps);
            const int same = V::SameBits(sum, candidate);
            if (same != kAllSame) {
                // The lanes up to the first failing one hold true sums.
                V::Store(sum, xs + i);
                i += __builtin_ctz(static_cast<unsigned>(~same)) + 1;
                break;
            }
            V::Store(candidate, xs + i);
            i += kLanes;
            before = candidate;
            k = V::Add(k, V::Splat(kLanes));
        }
    }
    for (; i < count; ++i) xs[i] = xs[i - 1] + step;  // the last few, one after the other
    return xs[count - 1] + step;
}

template <class V, int kSlots, int kStepsPerCheck, int kGroup>
void RunEscapeRow(const EscapeRowJob& job, std::int32_t* counts)
{
    if (OnceOutStaysOut(job))
        RunInChunks<V, kSlots, kStepsPerCheck, kGroup, true>(job, counts);
    else
        RunInChunks<V, kSlots, kStepsPerCheck, kGroup, false>(job, counts);
}

}  // namespace
}  // namespace quorvana
