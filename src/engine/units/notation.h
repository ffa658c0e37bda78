// Resolving one unit term against the catalogue (prefix and pattern spellings
// included). The notation parser itself is the engine method f意味コ変換.
#pragma once

#include <cstdint>
#include <string>

// Looks a term (exponent removed) up in the unit rows, first match winning: each row is
// tried directly, then with every allowed prefix. On success the row and the prefix's
// power of ten (0 for a binary prefix); on failure false, 0, 0.
bool f単一表記検索(const std::u16string& vs単一単位表記, int32_t& rl一致インデックス,
                   int32_t& rl指数);
