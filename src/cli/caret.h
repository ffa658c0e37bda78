// The marker line under an input line that points at an error's range, the way a
// compiler points at a column: "^" under the first character, "~" under the rest.
#pragma once

#include <cstdint>
#include <string>

// Terminal columns of one code point: 2 for East Asian wide and fullwidth characters,
// 0 for combining marks and zero-width characters, 1 otherwise.
int f表示幅(char32_t c);

// The line as printed and the marker line beneath it, both UTF-8. Tabs are expanded to
// the next multiple of eight columns and other control characters shown as their
// control pictures (U+2400 + c, U+2421 for DEL), so the columns of both lines agree.
struct Tキャレット行型 {
    std::string s行;
    std::string s印;
};

// Marks the range [vl位置, vl位置 + vl長さ) of vs行, counted in UTF-16 code units, where
// vs行 is the text without its line feed. A range that starts at or beyond the end (the
// line feed) marks the column after the last character; an empty range marks one column.
Tキャレット行型 fキャレット行(const std::u16string& vs行, int32_t vl位置, int32_t vl長さ);
