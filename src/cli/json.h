// The JSON lines of --json: one object per evaluated line, UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "commands/outcome.h"

// Appends s as a JSON string literal (quotes included): '"', '\' and control characters
// escaped (\n, \r, \t by name, the others as \u00XX), an unpaired surrogate as U+FFFD.
void fJSON文字列追加(std::string& rs出力, std::u16string_view s);

// Appends the object of one line and its line feed:
// {"input": …, "result": …, "error": …, "main": [pos, len], "subst": [pos, len], "output": …}
void fJSON行追加(std::string& rs出力, const T評価結果型& vt結果);
