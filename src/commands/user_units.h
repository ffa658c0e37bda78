// Units of the user's own, read from a text file at start. One definition a line:
// "spelling = expression", optionally followed by "prefixes: k m" naming the prefixes
// the unit takes; "#" starts a comment, blank lines are skipped, and a definition may
// use the ones above it. Each expression is evaluated in a parser of its own; its value,
// converted to base units, becomes a unit row after the catalogue's. A line that cannot
// be used is reported and the rest of the file still loads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words that introduce the prefix list of a definition.
inline constexpr char16_t D接頭子指定語[] = u"prefixes:";

// A line that could not be used: its number (from 1) and why.
struct T単位定義報告型 {
    int32_t l行 = 0;
    std::u16string sメッセージ;
    bool operator==(const T単位定義報告型&) const = default;
};

// Registers the definitions of a units file's text (UTF-8; a leading byte-order mark and
// CR LF line ends are accepted) in line order; gives the lines that could not be used.
// The unit tables are not safe to change while anything else reads them: call it before
// any evaluation starts.
std::vector<T単位定義報告型> f利用者単位定義(std::string_view vs内容);

// How reading a units file went.
struct T単位ファイル結果型 {
    bool b読込 = false;  // the file was read and its definitions registered
    bool b不在 = false;  // the file does not exist
    std::string s理由;   // why it could not be read (the system's words), when it was not
    std::vector<T単位定義報告型> t報告;
};

// Reads the file and registers its definitions (see f利用者単位定義).
T単位ファイル結果型 f利用者単位ファイル読込(const std::string& vsパス);

// The default units file: units.txt in the settings folder; empty without a home.
std::string f利用者単位既定パス();

// A report as both front ends show it: "FILE:LINE: message".
std::u16string f単位定義報告文(const std::string& vsパス, const T単位定義報告型& vt報告);
