// RGB565 texels in AVX2 lanes, 8 at a time, for the usual compositing's rows (the day map by
// day, the night map by night, at full brightness): packing 0x00RRGGBB pixels and blending
// the twilight. Written out because the compiler's own lanes narrow every field to
// half-words apart and blend in whole words, which takes half as long again. The same rules
// as the plain rows in compose.cpp; x86-64 only, for machines that have AVX2.
#pragma once

#if defined(__x86_64__)
#include <immintrin.h>

#include <cstdint>

namespace wide {

// The red and blue fields of RGB565 from 8 words with red in bits 16 .. 23 and blue in bits
// 0 .. 7: each masked to its top five bits, blue × 1 + red × 2048 in one multiply-add of
// the half-words, shifted down by 3.
[[gnu::target("avx2")]] inline __m256i redBlue565(__m256i redBlue) {
    const __m256i top5 = _mm256_and_si256(redBlue, _mm256_set1_epi32(0x00F800F8));
    return _mm256_srli_epi32(_mm256_madd_epi16(top5, _mm256_set1_epi32(0x08000001)), 3);
}
// The green field of RGB565 from 8 words with green × 256 in bits 0 .. 15.
[[gnu::target("avx2")]] inline __m256i green565(__m256i green256) {
    return _mm256_and_si256(_mm256_srli_epi32(green256, 5), _mm256_set1_epi32(0x07E0));
}
// RGB565 of 8 pixels 0x00RRGGBB, each in the low half of its word.
[[gnu::target("avx2")]] inline __m256i pack565(__m256i p) {
    return _mm256_or_si256(redBlue565(p), green565(p));
}

template <typename T>
[[gnu::target("avx2")]] inline __m256i load8(const T* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// What twilight8 needs of a row, in every lane.
struct TwilightRow {
    __m256i b;               // SunRow::b
    __m256i indexBase;       // SunRow::a + 32768 − nightEnd
    __m256i lastIndex;       // dayStart − nightEnd
    const int* pairs;        // Rebuild::twilightPairs
    const int32_t* cosHour;  // Rebuild::cosHour
};

// The twilight texels x .. x + 7: each factor f from the table, its index clamped to the
// table's ends as in compose.cpp, then day × f + night × (256 − f) channel by channel in
// half-words, as 255 × 256 fits one.
[[gnu::target("avx2")]] inline __m256i twilight8(const TwilightRow& t, const uint32_t* main,
                                                 const uint32_t* over, int32_t x) {
    __m256i v = _mm256_mullo_epi32(load8(t.cosHour + x), t.b);
    v = _mm256_add_epi32(v, _mm256_srli_epi32(_mm256_srai_epi32(v, 31), 17));  // toward zero
    v = _mm256_add_epi32(_mm256_srai_epi32(v, 15), t.indexBase);
    const __m256i index =
        _mm256_min_epi32(_mm256_max_epi32(v, _mm256_setzero_si256()), t.lastIndex);
    const __m256i day = _mm256_i32gather_epi32(t.pairs, index, 4);
    const __m256i night = _mm256_sub_epi16(_mm256_set1_epi16(256), day);
    const __m256i lanes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i m = load8(main + x), o = load8(over + x);
    auto mix = [&](__m256i fromDay, __m256i fromNight) __attribute__((target("avx2"))) {
        return _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(fromDay, lanes), day),
                                _mm256_mullo_epi16(_mm256_and_si256(fromNight, lanes), night));
    };
    const __m256i redBlue = _mm256_srli_epi16(mix(m, o), 8);
    const __m256i green256 = mix(_mm256_srli_epi32(m, 8), _mm256_srli_epi32(o, 8));
    return _mm256_or_si256(redBlue565(redBlue), green565(green256));
}

// Texels first .. end − 1, at least 16 of them, by `step8(x)` sixteen at a time; the last
// step is moved back to end at `end`, the texels done twice coming out the same.
template <typename Step8>
[[gnu::target("avx2"), gnu::always_inline]] inline void in16s(uint16_t* out, int32_t first,
                                                              int32_t end, Step8 step8) {
    auto store16 = [ out, &step8 ](int32_t x) __attribute__((target("avx2"), always_inline)) {
        const __m256i texels = _mm256_packus_epi32(step8(x), step8(x + 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_permute4x64_epi64(texels, 0xD8));
    };
    for (int32_t x = first; x < end - 16; x += 16) store16(x);
    store16(end - 16);
}

}  // namespace wide

#endif
