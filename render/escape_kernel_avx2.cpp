// SPDX-License-Identifier: MIT
// The escape loop and the accumulation four points per vector, the colours
// eight counts per vector, with AVX2. This file alone is compiled with
// -mavx2 (never -mfma); it is called only on processors that have AVX2, and
// it uses nothing from the standard library, whose inline functions could
// otherwise be shared with code built for the baseline. Vector loads and
// stores are unaligned throughout: a Win64 stack is aligned to 16 bytes only.
#include <immintrin.h>

#include "render/escape_kernel_simd.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {
namespace {

// For each mask of four lanes: the 32-bit halves that bring its lanes to
// the front, in order, and how many there are.
struct PackedLanes {
    std::int32_t halves[16][8];
    std::int32_t lanes[16][4];
    int count[16];
};

constexpr PackedLanes MakePackedLanes()
{
    PackedLanes table{};
    for (int mask = 0; mask < 16; ++mask) {
        int taken = 0;
        for (int lane = 0; lane < 4; ++lane) {
            if (!(mask >> lane & 1)) continue;
            table.halves[mask][2 * taken] = 2 * lane;
            table.halves[mask][2 * taken + 1] = 2 * lane + 1;
            table.lanes[mask][taken] = lane;
            ++taken;
        }
        table.count[mask] = taken;
    }
    return table;
}

constexpr PackedLanes kPackedLanes = MakePackedLanes();

struct Avx2 {
    using Real = __m256d;
    using Mask = __m256d;
    using Count = __m256i;
    static constexpr int kLanes = 4;

    static QUORVANA_INLINE Real Load(const double* p) { return _mm256_loadu_pd(p); }
    static QUORVANA_INLINE void Store(Real v, double* p) { _mm256_storeu_pd(p, v); }
    static QUORVANA_INLINE Real Splat(double v) { return _mm256_set1_pd(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    // Ordered and quiet: false for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return _mm256_and_pd(a, b); }
    static QUORVANA_INLINE Mask Or(Mask a, Mask b) { return _mm256_or_pd(a, b); }
    static QUORVANA_INLINE Mask AllLanes() { return _mm256_castsi256_pd(_mm256_set1_epi32(-1)); }
    static QUORVANA_INLINE Mask NoLanes() { return _mm256_setzero_pd(); }
    static QUORVANA_INLINE Count CountOf(std::int64_t n) { return _mm256_set1_epi64x(n); }
    // A live lane's mask is all ones, that is −1: subtracting it counts the step.
    static QUORVANA_INLINE Count CountLive(Count n, Mask live)
    {
        return _mm256_sub_epi64(n, _mm256_castpd_si256(live));
    }
    static QUORVANA_INLINE bool Any(Mask m) { return _mm256_movemask_pd(m) != 0; }
    static QUORVANA_INLINE int Lanes(Mask m) { return _mm256_movemask_pd(m); }  // bit per live lane
    static QUORVANA_INLINE void StoreCounts(Count n, std::int64_t* out)
    {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), n);
    }
    static QUORVANA_INLINE void StoreSmallCounts(Count n, std::int32_t* out)
    {
        const __m256i low = _mm256_permutevar8x32_epi32(n, _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(low));
    }
    static QUORVANA_INLINE int AppendLanes(int lanes, Real zr, Real zi, std::int32_t first, double* zrs,
                                           double* zis, std::int32_t* at)
    {
        const __m256i halves = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kPackedLanes.halves[lanes]));
        _mm256_storeu_ps(reinterpret_cast<float*>(zrs), _mm256_permutevar8x32_ps(_mm256_castpd_ps(zr), halves));
        _mm256_storeu_ps(reinterpret_cast<float*>(zis), _mm256_permutevar8x32_ps(_mm256_castpd_ps(zi), halves));
        const __m128i lane = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kPackedLanes.lanes[lanes]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm_add_epi32(_mm_set1_epi32(first), lane));
        return kPackedLanes.count[lanes];
    }
    static QUORVANA_INLINE Real Iota() { return _mm256_setr_pd(1.0, 2.0, 3.0, 4.0); }
    static QUORVANA_INLINE Real ShiftIn(Real before, Real v)
    {
        const Real middle = _mm256_permute2f128_pd(before, v, 0x21);  // before 2, 3, v 0, 1
        return _mm256_shuffle_pd(middle, v, 0b0101);                   // before 3, v 0, 1, 2
    }
    static QUORVANA_INLINE int SameBits(Real a, Real b)
    {
        return _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_castpd_si256(a), _mm256_castpd_si256(b))));
    }

    using Ints = __m256i;
    static constexpr int kIntLanes = 8;
    static QUORVANA_INLINE Ints LoadInts(const std::int32_t* p)
    {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    template <class T>
    static QUORVANA_INLINE void StoreInts(Ints v, T* p) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static QUORVANA_INLINE Ints SplatInts(std::int32_t v) { return _mm256_set1_epi32(v); }
    static QUORVANA_INLINE Ints AndInts(Ints a, Ints b) { return _mm256_and_si256(a, b); }
    static QUORVANA_INLINE Ints XorInts(Ints a, Ints b) { return _mm256_xor_si256(a, b); }
    static QUORVANA_INLINE Ints SubInts(Ints a, Ints b) { return _mm256_sub_epi32(a, b); }
    static QUORVANA_INLINE Ints EqualInts(Ints a, Ints b) { return _mm256_cmpeq_epi32(a, b); }
    static QUORVANA_INLINE Ints MulLow16(Ints a, Ints b) { return _mm256_mullo_epi16(a, b); }
    static QUORVANA_INLINE Ints AddWidened(Ints sums, Ints n)
    {
        return _mm256_add_epi64(sums, _mm256_add_epi64(_mm256_cvtepu32_epi64(_mm256_castsi256_si128(n)),
                                                        _mm256_cvtepu32_epi64(_mm256_extracti128_si256(n, 1))));
    }
};

}  // namespace

void EscapeRowAvx2(const EscapeRowJob& job, std::int32_t* counts)
{
    // Three vectors side by side in the quick pass: two overlap too little
    // of their chains, four run out of registers.
    RunEscapeRow<Avx2, 4, 4, 3>(job, counts);
}

double AccumulateRowAvx2(double x0, double step, int count, double* xs)
{
    return AccumulateRow<Avx2>(x0, step, count, xs);
}

RowTotals ColourRowAvx2(const std::int32_t* counts, int count, COLORREF* colours)
{
    return ColourRow<Avx2>(counts, count, colours);
}

}  // namespace quorvana
