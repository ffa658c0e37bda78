// The unit catalogue: SI prefixes, unit spellings with their dimension, conversion to
// the base value and allowed prefixes, the preferred display spellings per dimension,
// and the unit part of the help text. Constant rows, turned once into run-time tables
// whose dimension codes are already parsed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/number/digits.h"  // Dキャンセル印, shown with the results here
#include "engine/units/semantic_code.h"

using TAString = std::vector<std::u16string>;

// Separator of the lists in the notation table.
inline constexpr char16_t D_SEP[] = u" ";
// First character of an exceptional spelling, and the time shown as h:mm:ss.
inline constexpr char16_t D例外単位印[] = u"!";
inline constexpr char16_t D例単_時間[] = u"!time";
// First character of a pattern spelling.
inline constexpr char16_t D正規文印[] = u"*";
// Spelling of the unknown unit.
inline constexpr char16_t D未知単位印[] = u"???";
// First character of a radix number, and the separator of h:m:s.
inline constexpr char16_t D数値接頭子1字[] = u"$";
inline constexpr char16_t D時分区切[] = u":";

// Prefix flags: a unit allows a prefix when their flags share a bit.
inline constexpr int32_t D接頭子_Yo = 1 << 25, D接頭子_Ze = 1 << 24, D接頭子_Ex = 1 << 23,
                         D接頭子_Pe = 1 << 22, D接頭子_Te = 1 << 21, D接頭子_Gi = 1 << 20,
                         D接頭子_Me = 1 << 19, D接頭子_k = 1 << 18, D接頭子_h = 1 << 17,
                         D接頭子_da = 1 << 16, D接頭子_d = 1 << 15, D接頭子_c = 1 << 14,
                         D接頭子_m = 1 << 13, D接頭子_micro = 1 << 12, D接頭子_n = 1 << 11,
                         D接頭子_p = 1 << 10, D接頭子_f = 1 << 9, D接頭子_a = 1 << 8,
                         D接頭子_z = 1 << 7, D接頭子_y = 1 << 6;
// Binary prefixes (powers of 1024), taken by the units of information only.
inline constexpr int32_t D接頭子_Kibi = 1 << 0, D接頭子_Mebi = 1 << 1, D接頭子_Gibi = 1 << 2,
                         D接頭子_Tebi = 1 << 3, D接頭子_Pebi = 1 << 4, D接頭子_Exbi = 1 << 5;

struct T接頭子リスト型 {
    const char16_t* s接頭子;
    int32_t l指数;  // the power of ten, or for a binary prefix the power of two
    int32_t lフラグ;
    bool b二進 = false;  // a binary prefix: l指数 is a power of two
};
inline constexpr int D接頭子数 = 27;
extern const T接頭子リスト型 t接頭子リスト[D接頭子数];

struct v単一表記単位情報再定義型 {
    const char16_t* s説明;  // help description; empty: not listed
    const char16_t* s綴り;  // plain, "*" pattern, or "!" exceptional spelling
    const char16_t* s意味コード;
    const char16_t* s基底値補正式;
    int32_t l接頭子フラグ;
    bool b比率 = false;  // a ratio (%): in a product, quotient or power it is a plain number
};
inline constexpr int D単一表記単位数 = 131;
inline constexpr int D単一表記単位情報_数値 = 0;
inline constexpr int D単一表記単位情報_未知 = 1;
extern const v単一表記単位情報再定義型 v単一表記単位情報再定義[D単一表記単位数];

struct v意味コ表記情報再定義型 {
    const char16_t* s説明;
    const char16_t* s意味コード;
    const char16_t* s意味コリスト;          // code strings separated by D_SEP
    const char16_t* sデフォルト綴りリスト;  // the spellings showing them, item for item
};
inline constexpr int D意味コ表記数 = 33;
inline constexpr int D意味コ表記情報_数値 = 0;
inline constexpr int D意味コ表記情報_未知 = 1;
extern const v意味コ表記情報再定義型 v意味コ表記情報再定義[D意味コ表記数];

// Run-time tables, filled once by init_var (called by every reader before the tables are
// read) and read-only afterwards, except that units of the user's own are appended to the
// unit table (f利用者単位追加) before any evaluation starts.
struct T単一表記単位情報型 {
    T単項表記型 t単一;  // parsed dimension and the spelling as defined
    std::u16string s基底値補正式;
    int32_t l接頭子フラグ = 0;
    std::u16string s説明;  // a unit of the user's own: its help text (the catalogue's is in its rows)
    bool b比率 = false;
};
struct T意味コ表記情報型 {
    T意味コ配列型 t意味コ配列;
    std::u16string sデフォルト綴りリスト;
    std::u16string s意味コリスト;
};
extern std::vector<T単一表記単位情報型> t単一表記単位情報;
extern std::vector<T意味コ表記情報型> t意味コ表記情報;

// Where a spelling leads: the unit row, the prefix's power of ten and its power of two.
struct T綴り索引型 {
    int32_t l行 = 0, l十進指数 = 0, l二進指数 = 0;
};
// The row a whole spelling (prefix included) reads as, exactly as scanning the rows in
// order and taking the first match would find it; nothing when none does.
std::optional<T綴り索引型> f綴り索引検索(const std::u16string& vs綴り);

// The plain alternatives of a row's spelling ("*[lL]" -> "l", "L"; "m" -> "m").
std::vector<std::u16string> f綴り候補(const std::u16string& vs綴り);

// Appends a unit of the user's own after the catalogue's rows: spelling, dimension code
// array, conversion formula ("*1.7018", "*1/3") and prefix flags. Returns false, leaving
// the tables unchanged, when the spelling (or one of its prefixed forms) already reads.
// Not safe while another thread reads the tables: call it before evaluating anything.
bool f利用者単位追加(const std::u16string& vs綴り, const T意味コ配列型& vt意味コ配列,
                     const std::u16string& vs基底値補正式, int32_t vl接頭子フラグ,
                     const std::u16string& vs説明);

// Builds the run-time tables from the constant rows on the first call; later calls, from
// any thread, only find them built.
void init_var();

// The unit part of the help text in the help mini-format: the listed units with their
// prefixes grouped by dimension, the user's own units, then examples (unit_help.cpp).
std::u16string Brelvita_Help();

// Splits a D_SEP-separated list into rs変換配列[1..count]; index 0 is left as it was.
void f配列変換(std::u16string sリスト, TAString& rs変換配列);
