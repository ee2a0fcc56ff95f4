// SPDX-License-Identifier: MIT
// The escape loop two points per vector and the colours four counts per
// vector, with arm64's Advanced SIMD (NEON). Every multiply and add is its
// own instruction (vmulq, vaddq, vsubq; never vfmaq, and the build forbids
// contraction): a fused one rounds once where the plain loop rounds twice.
// Its coordinates come from the scalar pass: two lanes do not repay the
// checks of the vector one.
#include <arm_neon.h>

#include "render/escape_kernel_aarch64.h"
#include "render/escape_kernel_simd.h"

namespace quorvana {
namespace {

struct Neon {
    using Real = float64x2_t;
    using Mask = uint64x2_t;
    using Count = int64x2_t;
    static constexpr int kLanes = 2;

    static QUORVANA_INLINE Real Load(const double* p) { return vld1q_f64(p); }
    static QUORVANA_INLINE void Store(Real v, double* p) { vst1q_f64(p, v); }
    static QUORVANA_INLINE Real Splat(double v) { return vdupq_n_f64(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return vaddq_f64(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return vsubq_f64(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return vmulq_f64(a, b); }
    // False for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return vcltq_f64(a, b); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return vandq_u64(a, b); }
    static QUORVANA_INLINE Mask Or(Mask a, Mask b) { return vorrq_u64(a, b); }
    static QUORVANA_INLINE Mask AllLanes() { return vdupq_n_u64(~std::uint64_t{0}); }
    static QUORVANA_INLINE Mask NoLanes() { return vdupq_n_u64(0); }
    static QUORVANA_INLINE Count CountOf(std::int64_t n) { return vdupq_n_s64(n); }
    // A live lane's mask is all ones, that is −1: subtracting it counts the step.
    static QUORVANA_INLINE Count CountLive(Count n, Mask live) { return vsubq_s64(n, vreinterpretq_s64_u64(live)); }
    // Each lane narrowed to its low half: a 64-bit value that is 0 only when both lanes are.
    static QUORVANA_INLINE bool Any(Mask m) { return vget_lane_u64(vreinterpret_u64_u32(vmovn_u64(m)), 0) != 0; }
    static QUORVANA_INLINE int Lanes(Mask m)  // bit per live lane
    {
        const std::uint64_t bits[2] = {1, 2};
        return static_cast<int>(vaddvq_u64(vandq_u64(m, vld1q_u64(bits))));
    }
    static QUORVANA_INLINE void StoreCounts(Count n, std::int64_t* out) { vst1q_s64(out, n); }
    static QUORVANA_INLINE void StoreSmallCounts(Count n, std::int32_t* out) { vst1_s32(out, vmovn_s64(n)); }
    static QUORVANA_INLINE int AppendLanes(int lanes, Real zr, Real zi, std::int32_t first, double* zrs,
                                           double* zis, std::int32_t* at)
    {
        // Lane 1 moves to the front when lane 0 is not taken.
        const bool second = lanes == 2;
        vst1q_f64(zrs, second ? vdupq_laneq_f64(zr, 1) : zr);
        vst1q_f64(zis, second ? vdupq_laneq_f64(zi, 1) : zi);
        at[0] = first + second;
        at[1] = first + 1;
        return (lanes & 1) + (lanes >> 1);
    }

    using Ints = int32x4_t;
    static constexpr int kIntLanes = 4;
    static QUORVANA_INLINE Ints LoadInts(const std::int32_t* p) { return vld1q_s32(p); }
    template <class T>
    static QUORVANA_INLINE void StoreInts(Ints v, T* p) { vst1q_s32(reinterpret_cast<std::int32_t*>(p), v); }
    static QUORVANA_INLINE Ints SplatInts(std::int32_t v) { return vdupq_n_s32(v); }
    static QUORVANA_INLINE Ints AndInts(Ints a, Ints b) { return vandq_s32(a, b); }
    static QUORVANA_INLINE Ints XorInts(Ints a, Ints b) { return veorq_s32(a, b); }
    static QUORVANA_INLINE Ints SubInts(Ints a, Ints b) { return vsubq_s32(a, b); }
    static QUORVANA_INLINE Ints EqualInts(Ints a, Ints b) { return vreinterpretq_s32_u32(vceqq_s32(a, b)); }
    static QUORVANA_INLINE Ints MulLow16(Ints a, Ints b)
    {
        return vreinterpretq_s32_s16(vmulq_s16(vreinterpretq_s16_s32(a), vreinterpretq_s16_s32(b)));
    }
    // Neighbouring counts added pairwise into the two 64-bit sums.
    static QUORVANA_INLINE Ints AddWidened(Ints sums, Ints n)
    {
        return vreinterpretq_s32_u64(vpadalq_u32(vreinterpretq_u64_s32(sums), vreinterpretq_u32_s32(n)));
    }
};

}  // namespace

void EscapeRowNeon(const EscapeRowJob& job, std::int32_t* counts)
{
    // Counted in the disassembly (no arm64 processor to time it on): a step
    // of a slot is ten instructions for two points; with the checks, the
    // slots' loop takes 6.0 instructions per point and step (6.4 when the
    // mask is carried) where the plain loop takes 12. Three slots hide the
    // latency of a step's chain of dependent multiply, subtract and add and
    // stay in registers (but for one vector, stored and loaded once per
    // check); six would spill a third of their state.
    RunEscapeRow<Neon, 3, 4, 3>(job, counts);
}

RowTotals ColourRowNeon(const std::int32_t* counts, int count, COLORREF* colours)
{
    return ColourRow<Neon>(counts, count, colours);
}

}  // namespace quorvana
