// SPDX-License-Identifier: MIT
// The escape loop, the accumulation and the colours with AVX-512 (F, VL, DQ,
// BW). This file alone is compiled for it, never fused (see
// render/CMakeLists.txt); it is called only on processors, and under
// operating systems, that support it, and it uses nothing from the standard
// library, whose inline functions could otherwise be shared with code built
// for the baseline. Its 32 vector registers hold every slot of the
// long-running points without spilling, and its mask registers count each
// lane and test a slot's exit in one instruction each. Vector loads and
// stores are unaligned throughout: a Win64 stack is aligned to 16 bytes only.
#include <immintrin.h>

#include "render/escape_kernel_simd.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {
namespace {

// Eight doubles per 512-bit vector, a bit per lane in a mask register; a
// live lane's count moves by a masked addition.
struct Avx512 {
    using Real = __m512d;
    using Mask = __mmask8;
    using Count = __m512i;
    static constexpr int kLanes = 8;

    static QUORVANA_INLINE Real Load(const double* p) { return _mm512_loadu_pd(p); }
    static QUORVANA_INLINE void Store(Real v, double* p) { _mm512_storeu_pd(p, v); }
    static QUORVANA_INLINE Real Splat(double v) { return _mm512_set1_pd(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return _mm512_add_pd(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return _mm512_sub_pd(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return _mm512_mul_pd(a, b); }
    // Ordered and quiet: false for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return static_cast<Mask>(a & b); }
    static QUORVANA_INLINE Mask Or(Mask a, Mask b) { return static_cast<Mask>(a | b); }
    static QUORVANA_INLINE Mask AllLanes() { return 0xFF; }
    static QUORVANA_INLINE Mask NoLanes() { return 0; }
    static QUORVANA_INLINE Count CountOf(std::int64_t n) { return _mm512_set1_epi64(n); }
    static QUORVANA_INLINE Count CountLive(Count n, Mask live)
    {
        return _mm512_mask_add_epi64(n, live, n, _mm512_set1_epi64(1));
    }
    static QUORVANA_INLINE bool Any(Mask m) { return m != 0; }
    static QUORVANA_INLINE int Lanes(Mask m) { return m; }
    static QUORVANA_INLINE void StoreCounts(Count n, std::int64_t* out) { _mm512_storeu_si512(out, n); }
    static QUORVANA_INLINE void StoreSmallCounts(Count n, std::int32_t* out)
    {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm512_maskz_cvtepi64_epi32(0xFF, n));
    }
    static QUORVANA_INLINE int AppendLanes(int lanes, Real zr, Real zi, std::int32_t first, double* zrs,
                                           double* zis, std::int32_t* at)
    {
        const Mask m = static_cast<Mask>(lanes);
        _mm512_storeu_pd(zrs, _mm512_maskz_compress_pd(m, zr));
        _mm512_storeu_pd(zis, _mm512_maskz_compress_pd(m, zi));
        const __m256i index = _mm256_add_epi32(_mm256_set1_epi32(first), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), _mm256_maskz_compress_epi32(m, index));
        return __builtin_popcount(static_cast<unsigned>(lanes));
    }
    static QUORVANA_INLINE Real Iota() { return _mm512_setr_pd(1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0); }
    static QUORVANA_INLINE Real ShiftIn(Real before, Real v)
    {
        return _mm512_castsi512_pd(_mm512_alignr_epi64(_mm512_castpd_si512(v), _mm512_castpd_si512(before), 7));
    }
    static QUORVANA_INLINE int SameBits(Real a, Real b)
    {
        return _mm512_cmpeq_epi64_mask(_mm512_castpd_si512(a), _mm512_castpd_si512(b));
    }

    using Ints = __m512i;
    static constexpr int kIntLanes = 16;
    static QUORVANA_INLINE Ints LoadInts(const std::int32_t* p) { return _mm512_loadu_si512(p); }
    template <class T>
    static QUORVANA_INLINE void StoreInts(Ints v, T* p) { _mm512_storeu_si512(p, v); }
    static QUORVANA_INLINE Ints SplatInts(std::int32_t v) { return _mm512_set1_epi32(v); }
    static QUORVANA_INLINE Ints AndInts(Ints a, Ints b) { return _mm512_and_si512(a, b); }
    static QUORVANA_INLINE Ints XorInts(Ints a, Ints b) { return _mm512_xor_si512(a, b); }
    static QUORVANA_INLINE Ints SubInts(Ints a, Ints b) { return _mm512_sub_epi32(a, b); }
    static QUORVANA_INLINE Ints EqualInts(Ints a, Ints b) { return _mm512_movm_epi32(_mm512_cmpeq_epi32_mask(a, b)); }
    static QUORVANA_INLINE Ints MulLow16(Ints a, Ints b) { return _mm512_mullo_epi16(a, b); }
    static QUORVANA_INLINE Ints AddWidened(Ints sums, Ints n)
    {
        return _mm512_add_epi64(sums, _mm512_add_epi64(_mm512_cvtepu32_epi64(_mm512_castsi512_si256(n)),
                                                        _mm512_cvtepu32_epi64(_mm512_extracti64x4_epi64(n, 1))));
    }
};

}  // namespace

void EscapeRowAvx512(const EscapeRowJob& job, std::int32_t* counts)
{
    // The AVX2 kernel's shape, eight lanes per vector: four slots and three
    // vectors side by side fit the 32 registers without a spill. Eight
    // lanes beat four (256-bit vectors with masks) on whole pictures and
    // deep rows alike, though each 512-bit operation may take two passes
    // through a 256-bit unit.
    RunEscapeRow<Avx512, 4, 4, 3>(job, counts);
}

double AccumulateRowAvx512(double x0, double step, int count, double* xs)
{
    return AccumulateRow<Avx512>(x0, step, count, xs);
}

RowTotals ColourRowAvx512(const std::int32_t* counts, int count, COLORREF* colours)
{
    return ColourRow<Avx512>(counts, count, colours);
}

}  // namespace quorvana
