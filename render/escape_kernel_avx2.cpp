// The escape loop four points per vector with AVX2. This file alone is
// compiled with -mavx2 (never -mfma); it is called only on processors that
// have AVX2, and it uses nothing from the standard library, whose inline
// functions could otherwise be shared with code built for the baseline.
#include <immintrin.h>

#include "render/escape_kernel_simd.h"
#include "render/escape_kernel_x86.h"

namespace quorvana {
namespace {

struct Avx2 {
    using Real = __m256d;
    using Mask = __m256d;
    using Count = __m256i;
    static constexpr int kLanes = 4;

    static QUORVANA_INLINE Real Load(const double* p) { return _mm256_loadu_pd(p); }
    static QUORVANA_INLINE Real Splat(double v) { return _mm256_set1_pd(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    // Ordered and quiet: false for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return _mm256_and_pd(a, b); }
    static QUORVANA_INLINE Mask AllLanes() { return _mm256_castsi256_pd(_mm256_set1_epi32(-1)); }
    static QUORVANA_INLINE Mask NoLanes() { return _mm256_setzero_pd(); }
    static QUORVANA_INLINE Count CountOne() { return _mm256_set1_epi64x(1); }
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
};

}  // namespace

void EscapeRowAvx2(const EscapeRowJob& job, std::int32_t* counts)
{
    RunEscapeRow<Avx2, 4, 4>(job, counts);
}

}  // namespace quorvana
