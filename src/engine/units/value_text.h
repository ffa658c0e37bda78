// A value's saved form: one line of printable ASCII that reads back to an equal value
// (every field of T単位数型, the integers exact, a zero's sign kept). Used to keep the
// variables of a session across runs of the program.
#pragma once

#include <string>
#include <string_view>

#include "engine/units/unit_number.h"

// The saved form of a value, in time linear in its size (huge integers included).
// Cancelled values are not saved: the caller skips them.
std::string f単位数保存文字列(const T単位数型& vt値);

// Reads a saved form back; false, with rt値 untouched, for any text that
// f単位数保存文字列 could not have written (damaged, truncated or from a newer format).
// A text read writes back the same. Fractions marked as reduced are checked (one gcd
// each), so a damaged mark cannot skip a reduction the value needs.
bool f単位数保存文字列読込(std::string_view vs文字列, T単位数型& rt値);
