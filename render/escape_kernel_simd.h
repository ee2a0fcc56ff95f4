// The vector escape loop shared by the SSE2 and AVX2 kernels; only their
// two source files include it, each compiled for its own instruction set.
//
// Several independent vectors ("slots") iterate side by side so that the
// latency of one is hidden behind the others. Each slot holds a few
// neighbouring pixels and carries only z, the mask of lanes still in the
// loop and a count per lane. As soon as every lane of a slot has left the
// loop (or the slot has taken the iteration limit), its counts are stored
// and the slot takes the next pixels of the row, so a long-running pixel
// holds up only the few pixels of its own vector.
//
// Exactness: every lane performs the plain loop's operations in the same
// order and rounding. z · z is formed once per step and serves both the
// escape test of the step before and the next z; 2 · (zr · zi) is taken as
// p + p, which is the same value for every p. A lane that has left the loop
// keeps computing but its count no longer moves.
#pragma once

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
//   Real, Mask, Count; kLanes;
//   Load, Splat, Add, Sub, Mul, Less, And, AllLanes, NoLanes,
//   CountOne (each lane 1), CountLive (count + 1 in live lanes), Any,
//   Lanes (a bit per live lane), StoreCounts (to kLanes int64 values),
//   StoreSmallCounts (to kLanes int32 values, each count below 2³¹).
template <class V, int kSlots, int kStepsPerCheck, bool kOnceOutStaysOut>
struct EscapeRowEngine {
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

    // Applies f to every slot index as a constant, so that the slots stay in
    // registers rather than in an array indexed at run time.
    template <class F, int... I>
    static QUORVANA_INLINE void ForEach(F&& f, std::integer_sequence<int, I...>)
    {
        (f(std::integral_constant<int, I>{}), ...);
    }
    template <class F>
    static QUORVANA_INLINE void ForEachSlot(F&& f)
    {
        ForEach(f, std::make_integer_sequence<int, kSlots>{});
    }

    static void Run(const EscapeRowJob& job, std::int32_t* counts)
    {
        // The first step is always taken, so a limit below 1 acts as 1.
        const int limit = job.maxIter < 1 ? 1 : job.maxIter;
        const Real cRe = V::Splat(job.cRe);
        const Real cIm = V::Splat(job.cIm);
        const Real y = V::Splat(job.y);
        const Real four = V::Splat(4.0);

        Slot slot[kSlots];
        int first[kSlots];  // index of the slot's first pixel, -1 when idle
        int steps[kSlots];  // steps the slot has taken since it was loaded
        int next = 0;       // the next pixel of the row still to be loaded
        int busy = 0;

        ForEachSlot([&](auto s) {
            busy += Load(job, y, cRe, cIm, next, slot[s], first[s]);
            steps[s] = 1;
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
                    ForEachSlot([&](auto s) { Step(cRe, cIm, four, slot[s]); });
                taken += kStepsPerCheck;
                allLive = true;
                ForEachSlot([&](auto s) { allLive &= V::Any(slot[s].live); });
            } while (allLive && taken < budget);

            ForEachSlot([&](auto s) {
                steps[s] += taken;
                if (first[s] < 0 || (V::Any(slot[s].live) && steps[s] < limit)) return;
                Store(job, limit, slot[s].n, first[s], counts);
                busy -= 1 - Load(job, y, cRe, cIm, next, slot[s], first[s]);
                steps[s] = 1;
            });
        }
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

    // Loads the next kLanes pixels into a slot and takes their first step,
    // which the plain loop takes without a test. Lanes past the end of the
    // row start from NaN, which leaves the loop at the first test. Returns
    // 0 and leaves the slot idle when the row is used up.
    static QUORVANA_INLINE int Load(const EscapeRowJob& job, Real y, Real cRe, Real cIm, int& next, Slot& z,
                                    int& first)
    {
        if (next >= job.count) {  // idle: steps on zeros until the others finish
            first = -1;
            z.zr = z.zi = V::Splat(0.0);
            z.live = V::NoLanes();
            z.n = V::CountOne();
            return 0;
        }
        Real x;
        if (job.count - next >= kLanes) {
            x = V::Load(job.xs + next);
        } else {
            double padded[kLanes];
            for (int i = 0; i < kLanes; ++i) padded[i] = next + i < job.count ? job.xs[next + i] : __builtin_nan("");
            x = V::Load(padded);
        }
        first = next;
        next += kLanes;
        const Real p = V::Mul(x, y);
        z.zr = V::Add(V::Sub(V::Mul(x, x), V::Mul(y, y)), cRe);
        z.zi = V::Add(V::Add(p, p), cIm);
        z.live = V::AllLanes();
        z.n = V::CountOne();
        return 1;
    }

    // A lane that was still in the loop when the slot stopped has reached
    // the limit; the few steps past it that a check interval may add are cut.
    static QUORVANA_INLINE void Store(const EscapeRowJob& job, int limit, Count n, int first, std::int32_t* counts)
    {
        std::int64_t lanes[kLanes];
        V::StoreCounts(n, lanes);
        const int valid = job.count - first < kLanes ? job.count - first : kLanes;
        for (int i = 0; i < valid; ++i)
            counts[first + i] = static_cast<std::int32_t>(lanes[i] < limit ? lanes[i] : limit);
    }
};

// For |c| < 2 a point that has left the loop never comes back: from
// |z|² ≥ 4 follows |z² + c| ≥ 4 − |c| > 2, and infinities and NaN stay what
// they are. Below the bound used here (|c| < 1.84) the margin dwarfs every
// rounding, so the escape test alone tells which lanes are still counting
// and the mask needs no carrying over.
inline bool OnceOutStaysOut(const EscapeRowJob& job)
{
    return __builtin_fabs(job.cRe) < 1.3 && __builtin_fabs(job.cIm) < 1.3;
}

// Most points of a typical picture leave the loop within a few steps, where
// the slots' bookkeeping would cost more than the steps themselves. So the
// row goes by chunks: a quick pass takes each vector of the chunk on its own
// for at most kQuickSteps steps; the points that are then still in the loop
// are gathered and counted afresh by the slots.
template <class V, int kSlots, int kStepsPerCheck, bool kOnceOutStaysOut>
void RunInChunks(const EscapeRowJob& job, std::int32_t* counts)
{
    using Engine = EscapeRowEngine<V, kSlots, kStepsPerCheck, kOnceOutStaysOut>;
    using Real = typename V::Real;
    constexpr int kLanes = V::kLanes;
    constexpr int kChunk = 512;
    constexpr int kQuickSteps = 4;
    const int limit = job.maxIter < 1 ? 1 : job.maxIter;
    const Real cRe = V::Splat(job.cRe);
    const Real cIm = V::Splat(job.cIm);
    const Real four = V::Splat(4.0);
    const Real y = V::Splat(job.y);

    double pendingRe[kChunk];
    int pendingAt[kChunk];
    std::int32_t pendingCounts[kChunk];
    for (int chunk = 0; chunk < job.count; chunk += kChunk) {
        const int end = job.count - chunk < kChunk ? job.count : chunk + kChunk;
        int pending = 0;
        int i = chunk;
        for (; i + kLanes <= end; i += kLanes) {
            typename Engine::Slot z;
            int first = 0;
            int next = i;
            Engine::Load(job, y, cRe, cIm, next, z, first);
            int steps = 1;
            while (steps < kQuickSteps && steps < limit && V::Any(z.live)) {
                Engine::Step(cRe, cIm, four, z);
                ++steps;
            }
            // Still in the loop below the limit: left to the slots.
            const int open = steps < limit ? V::Lanes(z.live) : 0;
            if (open == 0 && steps < limit) {  // the common case: all done, no count near the limit
                V::StoreSmallCounts(z.n, counts + i);
                continue;
            }
            std::int64_t n[kLanes];
            V::StoreCounts(z.n, n);
            for (int lane = 0; lane < kLanes; ++lane) {
                if (open >> lane & 1) {
                    pendingRe[pending] = job.xs[i + lane];
                    pendingAt[pending++] = i + lane;
                } else {
                    counts[i + lane] = static_cast<std::int32_t>(n[lane] < limit ? n[lane] : limit);
                }
            }
        }
        for (; i < end; ++i) {  // the chunk's last few points
            pendingRe[pending] = job.xs[i];
            pendingAt[pending++] = i;
        }
        if (pending == 0) continue;
        EscapeRowJob rest = job;
        rest.xs = pendingRe;
        rest.count = pending;
        Engine::Run(rest, pendingCounts);
        for (int k = 0; k < pending; ++k) counts[pendingAt[k]] = pendingCounts[k];
    }
}

template <class V, int kSlots, int kStepsPerCheck>
void RunEscapeRow(const EscapeRowJob& job, std::int32_t* counts)
{
    if (OnceOutStaysOut(job))
        RunInChunks<V, kSlots, kStepsPerCheck, true>(job, counts);
    else
        RunInChunks<V, kSlots, kStepsPerCheck, false>(job, counts);
}

}  // namespace
}  // namespace quorvana
