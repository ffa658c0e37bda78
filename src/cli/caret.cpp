#include "cli/caret.h"

#include <algorithm>
#include <iterator>

#include "common/utf.h"

namespace {

struct T範囲型 {
    char32_t first;
    char32_t last;
};

// East Asian Wide (W) and Fullwidth (F) code points, sorted.
constexpr T範囲型 k全角範囲[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F2FF}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks and zero-width characters, sorted.
constexpr T範囲型 k零幅範囲[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x1AB0, 0x1AFF},   {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x2028, 0x202E}, {0x2060, 0x2064}, {0x20D0, 0x20FF},   {0x3099, 0x309A},
    {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

template <size_t N>
bool f範囲内(const T範囲型 (&table)[N], char32_t c) {
    const auto it = std::upper_bound(std::begin(table), std::end(table), c,
                                     [](char32_t v, const T範囲型& r) { return v < r.first; });
    return it != std::begin(table) && c <= std::prev(it)->last;
}

constexpr int kタブ幅 = 8;

// One code point as printed: its UTF-16 text and its width at column col.
struct T表示字型 {
    std::u16string s;
    int width;
};

// How c (starting at column col) is printed.
T表示字型 f表示字(char32_t c, std::u16string_view raw, int col) {
    if (c == u'\t') {
        const int w = kタブ幅 - col % kタブ幅;
        return {std::u16string(static_cast<size_t>(w), u' '), w};
    }
    if (c < 0x20) return {std::u16string(1, static_cast<char16_t>(0x2400 + c)), 1};
    if (c == 0x7F) return {u"\u2421", 1};
    return {std::u16string(raw), f表示幅(c)};
}

// The code point at i and how many code units it takes (an unpaired surrogate is one).
char32_t f符号位置(const std::u16string& s, size_t i, size_t& rn) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
        rn = 2;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
    }
    rn = 1;
    return c;
}

}  // namespace

int f表示幅(char32_t c) {
    if (f範囲内(k零幅範囲, c)) return 0;
    return f範囲内(k全角範囲, c) ? 2 : 1;
}

Tキャレット行型 fキャレット行(const std::u16string& vs行, int32_t vl位置, int32_t vl長さ) {
    const size_t size = vs行.size();
    const size_t from = std::min(static_cast<size_t>(std::max(vl位置, 0)), size);
    const size_t to = std::min(from + static_cast<size_t>(std::max(vl長さ, 0)), size);
    std::u16string s行;
    int col = 0, startCol = -1, endCol = -1;
    for (size_t i = 0; i < size;) {
        size_t n = 0;
        const char32_t c = f符号位置(vs行, i, n);
        // A position inside a surrogate pair counts as the pair's start.
        if (startCol < 0 && i + n > from) startCol = col;
        if (endCol < 0 && i >= to) endCol = col;
        const T表示字型 t = f表示字(c, std::u16string_view(vs行).substr(i, n), col);
        s行 += t.s;
        col += t.width;
        i += n;
    }
    if (startCol < 0) startCol = col;
    if (endCol < 0) endCol = col;
    std::string s印(static_cast<size_t>(startCol), ' ');
    s印 += '^';
    if (endCol > startCol + 1) s印.append(static_cast<size_t>(endCol - startCol - 1), '~');
    return {Utf16ToUtf8(s行), s印};
}
