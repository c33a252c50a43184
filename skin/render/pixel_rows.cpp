#include "skin/render/pixel_rows.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin::render::rows {

namespace scalar {

void Fill(Pixel* dst, int count, Pixel value) {
    for (int i = 0; i < count; ++i)
        dst[i] = value;
}

void WeightedBlend(Pixel* dst, const Pixel* src, int count, int alpha) {
    const unsigned keep = static_cast<unsigned>(alpha);
    const unsigned take = 255u - keep;
    for (int i = 0; i < count; ++i) {
        Pixel d = dst[i];
        const Pixel s = src[i];
        Pixel out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const unsigned db = (d >> shift) & 0xFF;
            const unsigned sb = (s >> shift) & 0xFF;
            out |= ((db * keep + sb * take + 127u) >> 8) << shift;
        }
        dst[i] = out;
    }
}

void AlphaComposite(Pixel* dst, const Pixel* src, int count) {
    for (int i = 0; i < count; ++i) {
        const Pixel s = src[i];
        const unsigned sa = s >> 24;
        if (sa == 0)
            continue;
        const Pixel d = dst[i];
        Pixel out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int db = static_cast<int>((d >> shift) & 0xFF);
            const int sb = static_cast<int>((s >> shift) & 0xFF);
            out |= static_cast<Pixel>((db * 256 + (sb - db) * static_cast<int>(sa)) >> 8) << shift;
        }
        const unsigned da = d >> 24;
        out |= (da + sa * (255u - da) / 255u) << 24;
        dst[i] = out;
    }
}

void MaskBlend(Pixel* dst, const Pixel* src, const Pixel* mask, int count) {
    for (int i = 0; i < count; ++i) {
        const Pixel d = dst[i];
        const Pixel s = src[i];
        const Pixel m = mask[i];
        Pixel out = d & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const int db = static_cast<int>((d >> shift) & 0xFF);
            const int sb = static_cast<int>((s >> shift) & 0xFF);
            const int mb = static_cast<int>((m >> shift) & 0xFF);
            out |= static_cast<Pixel>(((db - sb) * mb + sb * 256) >> 8) << shift;
        }
        dst[i] = out;
    }
}

} // namespace scalar

#if defined(__SSE2__)

namespace {

inline __m128i Load(const Pixel* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(Pixel* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Two pixels widened to 16-bit lanes, and the alpha of each spread over its four lanes.
inline __m128i SpreadAlpha(__m128i wide) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(wide, 0xFF), 0xFF);
}

// (d * 256 + (s - d) * sa) >> 8 on the 16-bit lanes of two pixels. The true value lies in
// 0 .. 65280, so the sum computed modulo 65536 (as the 16-bit lanes do, whatever the sign of
// s - d) is exact.
inline __m128i CompositeColourTwo(__m128i d, __m128i s) {
    const __m128i sa = SpreadAlpha(s);
    return _mm_srli_epi16(
        _mm_add_epi16(_mm_slli_epi16(d, 8), _mm_mullo_epi16(_mm_sub_epi16(s, d), sa)), 8);
}

// da + sa * (255 - da) div 255 for four pixels, in the top byte of each. t div 255 for
// t <= 65025 is (t + 1 + (t >> 8)) >> 8.
inline __m128i CompositeAlphaFour(__m128i d, __m128i s) {
    const __m128i da = _mm_srli_epi32(d, 24);
    const __m128i sa = _mm_srli_epi32(s, 24);
    const __m128i t = _mm_mullo_epi16(sa, _mm_sub_epi32(_mm_set1_epi32(255), da));
    const __m128i q =
        _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(t, _mm_set1_epi32(1)), _mm_srli_epi32(t, 8)), 8);
    return _mm_slli_epi32(_mm_add_epi32(da, q), 24);
}

} // namespace

void Fill(Pixel* dst, int count, Pixel value) {
    const __m128i v = _mm_set1_epi32(static_cast<int>(value));
    int i = 0;
    // Whole cache lines of aligned stores once the row is aligned.
    for (; i < count && (reinterpret_cast<std::uintptr_t>(dst + i) & 15) != 0; ++i)
        dst[i] = value;
    for (; i + 16 <= count; i += 16) {
        _mm_store_si128(reinterpret_cast<__m128i*>(dst + i), v);
        _mm_store_si128(reinterpret_cast<__m128i*>(dst + i + 4), v);
        _mm_store_si128(reinterpret_cast<__m128i*>(dst + i + 8), v);
        _mm_store_si128(reinterpret_cast<__m128i*>(dst + i + 12), v);
    }
    for (; i + 4 <= count; i += 4)
        _mm_store_si128(reinterpret_cast<__m128i*>(dst + i), v);
    for (; i < count; ++i)
        dst[i] = value;
}

void WeightedBlend(Pixel* dst, const Pixel* src, int count, int alpha) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i keep = _mm_set1_epi16(static_cast<short>(alpha));
    const __m128i take = _mm_set1_epi16(static_cast<short>(255 - alpha));
    const __m128i round = _mm_set1_epi16(127);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i d = Load(dst + i);
        const __m128i s = Load(src + i);
        const __m128i lo =
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), keep),
                                        _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), take)),
                          round);
        const __m128i hi =
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), keep),
                                        _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), take)),
                          round);
        Store(dst + i, _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8)));
    }
    scalar::WeightedBlend(dst + i, src + i, count - i, alpha);
}

void AlphaComposite(Pixel* dst, const Pixel* src, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = Load(src + i);
        const __m128i sa = _mm_and_si128(s, alpha_bytes);
        // User-interface images are mostly clear or opaque, in runs.
        const int clear_bits = _mm_movemask_epi8(_mm_cmpeq_epi32(sa, zero));
        if (clear_bits == 0xFFFF)
            continue;
        const __m128i d = Load(dst + i);
        const __m128i opaque = _mm_cmpeq_epi32(sa, alpha_bytes);
        if ((clear_bits | _mm_movemask_epi8(opaque)) == 0xFFFF) {
            // Only clear and opaque pixels. With sa = 255 the colour formula is
            // (255 s + d) >> 8 = s - (d < s ? 1 : 0), and the alpha becomes 255.
            const __m128i at_least = _mm_cmpeq_epi8(_mm_max_epu8(d, s), d);
            const __m128i over = _mm_or_si128(
                _mm_add_epi8(s, _mm_andnot_si128(at_least, _mm_set1_epi8(-1))), alpha_bytes);
            Store(dst + i, _mm_or_si128(_mm_and_si128(opaque, over), _mm_andnot_si128(opaque, d)));
            continue;
        }
        const __m128i lo =
            CompositeColourTwo(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
        const __m128i hi =
            CompositeColourTwo(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
        const __m128i colour = _mm_andnot_si128(alpha_bytes, _mm_packus_epi16(lo, hi));
        // Over an opaque destination the alpha stays 255.
        const bool under_opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, alpha_bytes),
                                                                    alpha_bytes)) == 0xFFFF;
        Store(dst + i, _mm_or_si128(colour, under_opaque ? alpha_bytes : CompositeAlphaFour(d, s)));
    }
    scalar::AlphaComposite(dst + i, src + i, count - i);
}

void MaskBlend(Pixel* dst, const Pixel* src, const Pixel* mask, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i k256 = _mm_set1_epi16(256);
    const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i d = Load(dst + i);
        const __m128i s = Load(src + i);
        const __m128i m = Load(mask + i);
        const __m128i mlo = _mm_unpacklo_epi8(m, zero);
        const __m128i mhi = _mm_unpackhi_epi8(m, zero);
        const __m128i lo = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), mlo),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), _mm_sub_epi16(k256, mlo))),
            8);
        const __m128i hi = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), mhi),
                          _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), _mm_sub_epi16(k256, mhi))),
            8);
        const __m128i blended = _mm_packus_epi16(lo, hi);
        Store(dst + i,
              _mm_or_si128(_mm_and_si128(d, alpha_bytes), _mm_andnot_si128(alpha_bytes, blended)));
    }
    scalar::MaskBlend(dst + i, src + i, mask + i, count - i);
}

bool HasVectorRows() {
    return true;
}

#else

void Fill(Pixel* dst, int count, Pixel value) {
    scalar::Fill(dst, count, value);
}
void WeightedBlend(Pixel* dst, const Pixel* src, int count, int alpha) {
    scalar::WeightedBlend(dst, src, count, alpha);
}
void AlphaComposite(Pixel* dst, const Pixel* src, int count) {
    scalar::AlphaComposite(dst, src, count);
}
void MaskBlend(Pixel* dst, const Pixel* src, const Pixel* mask, int count) {
    scalar::MaskBlend(dst, src, mask, count);
}
bool HasVectorRows() {
    return false;
}

#endif

} // namespace skin::render::rows
