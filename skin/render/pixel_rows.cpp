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
        // Two opaque pixels blend to an opaque one (the weights alone would give 254).
        if ((d & s) >= 0xFF000000u)
            out |= 0xFF000000u;
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

// The composite works on the even bytes (blue, red) and the odd bytes (green, alpha) of four
// pixels in 16-bit lanes, which splits and joins with one instruction each.
//
// Colour: (d * 256 + (s - d) * sa) >> 8 = d + floor((s - d) * sa / 256). With (s - d) << 7 in
// -32640 .. 32640 and 2 * sa in 0 .. 510 as signed 16-bit factors, the high half of their
// product is floor((s - d) * sa * 256 / 65536), the same floor. The result lies between d and
// s, so in 0 .. 255.
inline __m128i CompositeColour(__m128i d, __m128i s, __m128i twice_sa) {
    return _mm_add_epi16(d, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(s, d), 7), twice_sa));
}

// Four pixels of src over dst by the straight-alpha formula. The alpha lane of the odd bytes
// gets a colour factor of 0, so it keeps da, and then gains sa * (255 - da) div 255, computed in
// that lane alone (t <= 65025, and t div 255 = (t * 0x8081) >> 23 for every 16-bit t).
inline __m128i CompositeFour(__m128i d, __m128i s, __m128i sa_bytes) {
    const __m128i low_bytes = _mm_set1_epi16(0x00FF);
    const __m128i twice_sa_low = _mm_srli_epi32(sa_bytes, 23); // 2 sa in the green lane only
    const __m128i twice_sa = _mm_or_si128(twice_sa_low, _mm_slli_epi32(twice_sa_low, 16));
    const __m128i sa_high = _mm_srli_epi32(sa_bytes, 8); // sa in the alpha lane only
    const __m128i d_even = _mm_and_si128(d, low_bytes);
    const __m128i s_even = _mm_and_si128(s, low_bytes);
    const __m128i d_odd = _mm_srli_epi16(d, 8);
    const __m128i s_odd = _mm_srli_epi16(s, 8);
    const __m128i even = CompositeColour(d_even, s_even, twice_sa);
    const __m128i gained = _mm_mullo_epi16(_mm_xor_si128(d_odd, low_bytes), sa_high);
    const __m128i alpha_gain = _mm_srli_epi16(_mm_mulhi_epu16(gained, _mm_set1_epi16(-32639)), 7);
    const __m128i odd = _mm_add_epi16(CompositeColour(d_odd, s_odd, twice_sa_low), alpha_gain);
    return _mm_or_si128(even, _mm_slli_epi16(odd, 8));
}

// The colour bytes of four pixels of src over dst; the alpha byte of the result is left to
// the caller (it holds a value that means nothing).
//
// Only the low byte of each sum is kept, so the arithmetic may work modulo 256: with
// sa * 256 as an unsigned factor, the high half of (s - d) mod 65536 times it is
// floor((s - d) * sa / 256) plus 256 * sa when s < d, the same value modulo 256. Adding that
// to d byte by byte gives the result, which lies between d and s.
inline __m128i CompositeColourFour(__m128i d, __m128i s) {
    const __m128i low_bytes = _mm_set1_epi16(0x00FF);
    // The word holding red and alpha copied over the word holding blue and green.
    const __m128i alpha_words = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xF5), 0xF5);
    const __m128i sa_256 = _mm_and_si128(alpha_words, _mm_set1_epi16(-256));
    const __m128i even = _mm_mulhi_epu16(
        _mm_sub_epi16(_mm_and_si128(s, low_bytes), _mm_and_si128(d, low_bytes)), sa_256);
    const __m128i odd =
        _mm_mulhi_epu16(_mm_sub_epi16(_mm_srli_epi16(s, 8), _mm_srli_epi16(d, 8)), sa_256);
    return _mm_add_epi8(d, _mm_or_si128(_mm_and_si128(even, low_bytes), _mm_slli_epi16(odd, 8)));
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
    const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
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
        const __m128i both_opaque = _mm_and_si128(
            _mm_cmpeq_epi32(_mm_and_si128(_mm_and_si128(d, s), alpha_bytes), alpha_bytes),
            alpha_bytes);
        Store(dst + i, _mm_or_si128(_mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8)),
                                    both_opaque));
    }
    scalar::WeightedBlend(dst + i, src + i, count - i, alpha);
}

void AlphaComposite(Pixel* dst, const Pixel* src, int count) {
    const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i ones = _mm_set1_epi32(-1);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = Load(src + i);
        const __m128i d = Load(dst + i);
        // One mask tells the usual case (some source pixel neither clear nor opaque, every
        // destination pixel opaque) from the rest, so that case pays a single branch. A byte
        // is 0 or 255 when it equals its word's sign spread over the word; packing with signed
        // saturation keeps the sign of each pixel's alpha byte.
        const __m128i simple = _mm_cmpeq_epi8(s, _mm_srai_epi16(s, 15));
        const __m128i opaque_below = _mm_cmpeq_epi8(d, ones);
        const int kinds = _mm_movemask_epi8(
            _mm_packs_epi16(_mm_packs_epi32(simple, opaque_below), _mm_setzero_si128()));
        // Bits 0 to 3: source pixel clear or opaque; bits 4 to 7: destination pixel opaque.
        if (static_cast<unsigned>(kinds - 0xF0) < 0xFu) {
            Store(dst + i, _mm_or_si128(CompositeColourFour(d, s), alpha_bytes));
            continue;
        }
        if ((kinds & 0xF) == 0xF) {
            // User-interface images are mostly clear or opaque, in runs. Among clear and
            // opaque pixels, the top bit of the alpha byte tells which.
            if ((_mm_movemask_epi8(s) & 0x8888) == 0)
                continue;
            // Only clear and opaque pixels. With sa = 255 the colour formula is
            // (255 s + d) >> 8 = s - (d < s ? 1 : 0), and the alpha becomes 255.
            const __m128i opaque = _mm_srai_epi32(s, 24);
            const __m128i at_least = _mm_cmpeq_epi8(_mm_max_epu8(d, s), d);
            const __m128i over = _mm_or_si128(
                _mm_add_epi8(s, _mm_andnot_si128(at_least, _mm_set1_epi8(-1))), alpha_bytes);
            Store(dst + i, _mm_or_si128(_mm_and_si128(opaque, over), _mm_andnot_si128(opaque, d)));
            continue;
        }
        Store(dst + i, CompositeFour(d, s, _mm_and_si128(s, alpha_bytes)));
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
