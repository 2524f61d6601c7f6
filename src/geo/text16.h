// Small helpers for the program's UTF-16 text (city and country names point into cities.bin):
// length, ordinal and case-folding comparisons, and conversions to and from 8-bit text.
// Case folding covers ASCII and Latin-1 letters, which is all the names and the font hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace geo {

// Code units before the terminating zero.
size_t textLength(const char16_t* s);
// Ordinal comparison by code unit (negative, zero, positive), like wcscmp.
int compareText(const char16_t* a, const char16_t* b);
// Case-insensitive comparison of at most `n` code units, like _wcsnicmp.
int compareTextNoCase(const char16_t* a, const char16_t* b, size_t n);
// 8-bit text (ASCII or Latin-1 bytes) widened code unit by code unit.
std::u16string widen(const char* s);
// UTF-16 text as UTF-8 (for tools and messages; unpaired surrogates become '?').
std::string toUtf8(const char16_t* s);
// UTF-8 text as UTF-16 (characters past U+FFFF as surrogate pairs). A byte that does not
// start a well-formed sequence is taken as the Latin-1 character of that value, so text
// saved in Latin-1 by mistake still reads as the font draws it.
std::u16string fromUtf8(std::string_view s);

}  // namespace geo
