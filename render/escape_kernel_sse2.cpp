// The escape loop two points per vector, with SSE2 only (every x86-64).
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
    static QUORVANA_INLINE Real Splat(double v) { return _mm_set1_pd(v); }
    static QUORVANA_INLINE Real Add(Real a, Real b) { return _mm_add_pd(a, b); }
    static QUORVANA_INLINE Real Sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static QUORVANA_INLINE Real Mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    // False for NaN, as the plain loop's comparison.
    static QUORVANA_INLINE Mask Less(Real a, Real b) { return _mm_cmplt_pd(a, b); }
    static QUORVANA_INLINE Mask And(Mask a, Mask b) { return _mm_and_pd(a, b); }
    static QUORVANA_INLINE Mask AllLanes() { return _mm_castsi128_pd(_mm_set1_epi32(-1)); }
    static QUORVANA_INLINE Mask NoLanes() { return _mm_setzero_pd(); }
    static QUORVANA_INLINE Count CountOne() { return _mm_set1_epi64x(1); }
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
};

}  // namespace

void EscapeRowSse2(const EscapeRowJob& job, std::int32_t* counts)
{
    RunEscapeRow<Sse2, 5, 2>(job, counts);
}

}  // namespace quorvana
