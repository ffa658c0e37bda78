// The folding of a typed line before the lexer reads it: the full-width forms and the
// look-alike signs that Japanese input methods and copied text produce become the
// characters the grammar and the unit catalogue read, and a map leads every position of
// the folded text back to the character the user typed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The typed code units [l始, l終) that one code unit of a folded text came from.
struct T元範囲 {
    int32_t l始 = 0, l終 = 0;
};

// A folded text's way back to the typed text.
struct T折畳み対応 {
    bool b恒等 = true;            // nothing was folded: every position is its own
    std::vector<T元範囲> t元範囲;  // one entry per code unit of the folded text
    int32_t l元長さ = 0;           // the typed text's length

    // Turns a range (position, length) of the folded text into the range of the typed
    // characters it came from; an invalid position (negative) stays as it is.
    void f元へ(int32_t& rl位置, int32_t& rl長さ) const;
};

// Whether c, besides an ASCII letter, can start a unit spelling written without
// brackets after a number or ")": non-ASCII letters other than "π", letterlike symbols,
// "°", "‰", kana, CJK ideographs, and "%".
bool f単位頭字(char16_t c);

// Folds rs文字列 in place: full-width ASCII forms and the ideographic space, the micro and
// ohm signs, squared unit characters ("㎏" → "kg"), superscript exponents (digits after a
// unit letter, "^" and digits after a number, ")", "]", "π" or a variable name), and "^"
// between "[" and "]" (dropped). A text with nothing to fold is left untouched, and rt対応
// then says so without any per-position work.
void f入力折畳み(std::u16string& rs文字列, T折畳み対応& rt対応);
