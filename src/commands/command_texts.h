// The texts the commands show in the result pane; both front ends use these, so the
// window and the console show the same words.
#pragma once

#include <cstdint>
#include <string>

#include "common/version.h"

// "!reset": the confirmation.
std::u16string fリセット文字列();

// "!res_frac", "!res_mixfrac", "!res_dec": the message for a display mode; empty for
// any other code.
std::u16string f結果表示モード文字列(int32_t piCmd);

// "!version", first addition: product name, " Version ", product version, a line break.
std::u16string fバージョン行(const RMyVerInfo& r);

// "!version", second addition: the fixed text, five lines joined by CR LF.
std::u16string fバージョン固定文字列();
