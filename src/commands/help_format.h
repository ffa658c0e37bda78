// The help mini-format: level digits, "[" items and "(" paragraphs, "-" joins, "+"
// blank lines and "\" escapes, turned into indented lines of text.
#pragma once

#include <string>

// Formats one help text. Throws E一般例外 for a character out of place between entries.
std::u16string fヘルプ文字列整形(const std::u16string& vs);
