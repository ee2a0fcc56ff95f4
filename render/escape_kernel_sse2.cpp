// SPDX-License-Identifier: MIT
// The escape loop two points per vector and the colours four counts per
// vector, with SSE2 only (every x86-64). Its coordinates come from the
// scalar pass: two lanes do not repay the checks of the vector one.
#include <emmintrin.h>

#include "render/escape_kernel_simd.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {
namespace {

struct Sse2 {
    using Real = __m128d;
    using Mask = __m128d;
    using Count = __m128i;
    static constexpr int kLanes = 2;

    static QUORVANA_INLINE Real Load(const double* p) { return _mm_loadu_pd(p); }
    static QUORVANA_INLINE void Store(Real v, double* p) { _mm_storeu_pd(p, v); }
    static QUORVANA_INLINE Real Splat(double v) { return _mm_set1_pd(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return _mm_add_pd(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    // False for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return _mm_cmplt_pd(a, b); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return _mm_and_pd(a, b); }
    static QUORVANA_INLINE Mask Or(Mask a, Mask b) { return _mm_or_pd(a, b); }
    static QUORVANA_INLINE Mask AllLanes() { return _mm_castsi128_pd(_mm_set1_epi32(-1)); }
    static QUORVANA_INLINE Mask NoLanes() { return _mm_setzero_pd(); }
    static QUORVANA_INLINE Count CountOf(std::int64_t n) { return _mm_set1_epi64x(n); }
    // A live lane's mask is all ones, that is −1: subtracting it counts the step.
    static QUORVANA_INLINE Count CountLive(Count n, Mask live) { return _mm_sub_epi64(n, _mm_castpd_si128(live)); }
    static QUORVANA_INLINE bool Any(Mask m) { return _mm_movemask_pd(m) != 0; }
    static QUORVANA_INLINE int Lanes(Mask m) { return _mm_movemask_pd(m); }  // bit per live lane
    static QUORVANA_INLINE void StoreCounts(Count n, std::int64_t* out)
    {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), n);
    }
    static QUORVANA_INLINE void StoreSmallCounts(Count n, std::int32_t* out)
    {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi32(n, _MM_SHUFFLE(3, 3, 2, 0)));
    }
    static QUORVANA_INLINE int AppendLanes(int lanes, Real zr, Real zi, std::int32_t first, double* zrs,
                                           double* zis, std::int32_t* at)
    {
        // Lane 1 moves to the front when lane 0 is not taken.
        const bool second = lanes == 2;
        _mm_storeu_pd(zrs, second ? _mm_unpackhi_pd(zr, zr) : zr);
        _mm_storeu_pd(zis, second ? _mm_unpackhi_pd(zi, zi) : zi);
        at[0] = first + second;
        at[1] = first + 1;
        return (lanes & 1) + (lanes >> 1);
    }

    using Ints = __m128i;
    static constexpr int kIntLanes = 4;
    static QUORVANA_INLINE Ints LoadInts(const std::int32_t* p)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    template <class T>
    static QUORVANA_INLINE void StoreInts(Ints v, T* p) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static QUORVANA_INLINE Ints SplatInts(std::int32_t v) { return _mm_set1_epi32(v); }
    static QUORVANA_INLINE Ints AndInts(Ints a, Ints b) { return _mm_and_si128(a, b); }
    static QUORVANA_INLINE Ints XorInts(Ints a, Ints b) { return _mm_xor_si128(a, b); }
    static QUORVANA_INLINE Ints SubInts(Ints a, Ints b) { return _mm_sub_epi32(a, b); }
    static QUORVANA_INLINE Ints EqualInts(Ints a, Ints b) { return _mm_cmpeq_epi32(a, b); }
    static QUORVANA_INLINE Ints MulLow16(Ints a, Ints b) { return _mm_mullo_epi16(a, b); }
    static QUORVANA_INLINE Ints AddWidened(Ints sums, Ints n)
    {
        const Ints zero = _mm_setzero_si128();
        return _mm_add_epi64(sums, _mm_add_epi64(_mm_unpacklo_epi32(n, zero), _mm_unpackhi_epi32(n, zero)));
    }
};

}  // namespace

void EscapeRowSse2(const EscapeRowJob& job, std::int32_t* counts)
{
    RunEscapeRow<Sse2, 4, 4, 1>(job, counts);
}

RowTotals ColourRowSse2(const std::int32_t* counts, int count, COLORREF* colours)
{
    return ColourRow<Sse2>(counts, count, colours);
}

}  // namespace quorvana
