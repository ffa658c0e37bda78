// Dimensions as sorted arrays of single dimension codes with exponents, the records
// built on them (a unit term as written, a pending offset correction) and their
// algebra. Every array is used from index 1; index 0 is a placeholder never read, so
// an array of length 0 or 1 holds no dimension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Codes of the base dimensions, in ascending code order.
inline constexpr char16_t D意味コ質量[] = u"!1190";
inline constexpr char16_t D意味コ情報量[] = u"!1191";
inline constexpr char16_t D意味コ長さ[] = u"!1192";
inline constexpr char16_t D意味コ温度[] = u"!11931";
inline constexpr char16_t D意味コ光度[] = u"!11932";
inline constexpr char16_t D意味コ数値[] = u"!11950";
inline constexpr char16_t D意味コ時間[] = u"!119621";
inline constexpr char16_t D意味コ電流[] = u"!119622";
inline constexpr char16_t D意味コ物質量[] = u"!1510";
inline constexpr char16_t D意味コ未知[] = u"!33066";
// Greater than every code: ends a merge.
inline constexpr char16_t D意味コHighValue[] = u"!9999999999999";

// Whether a notation is being read outside or inside a parenthesised group.
enum class E単位構文解析状態 { m単位構文括弧外, m単位構文括弧内 };

// One dimension code with its signed exponent.
struct T意味コ配列要素 {
    std::u16string s単一意味コ;
    int32_t l指数 = 0;
    bool operator==(const T意味コ配列要素&) const = default;
};
using T意味コ配列型 = std::vector<T意味コ配列要素>;

// One unit term as the user wrote it, with its dimension (exponent applied).
struct T単項表記型 {
    T意味コ配列型 t意味コ配列;
    std::u16string s綴り;
    bool operator==(const T単項表記型&) const = default;
};
using T単項表記配列型 = std::vector<T単項表記型>;

// An offset correction ("+273.15") with the dimension of the term that carries it.
struct T保留補正式型 {
    T意味コ配列型 t意味コ配列;
    std::u16string s基底値補正式;
    bool operator==(const T保留補正式型&) const = default;
};
using T保留補正式配列型 = std::vector<T保留補正式型>;

// The dimension of a plain number: (("!11950", 1)).
const T意味コ配列型& f数値意味コ配列();
// The dimension of the unknown unit: (("!33066", 1)).
const T意味コ配列型& f未知意味コ配列();

// True for no dimension: the plain number's array, or one whose codes all cancelled.
bool f無次元判定(const T意味コ配列型& vt意味コ配列);

// Parses a code string such as "!1190*!1192(2)/!119621(2)" into a sorted array; a
// malformed string gives the unknown-unit array.
void f意味コ昇順配列作成(const std::u16string& vs意味コード, T意味コ配列型& rt意味コ配列);

// Exchange sort of indices 1..last by code (exponents play no part, equal codes stay).
void f意味コ配列昇順ソート(T意味コ配列型& rt意味コ配列);

// -1, 0 or 1 comparing position by position; with the flag, exponents are ignored.
int32_t f意味コ配列比較(const T意味コ配列型& vt意味コ配列1, const T意味コ配列型& vt意味コ配列2,
                         bool vb指数比較スキップフラグ = false);

// Whether every code of the part occurs in the set (exponents ignored).
bool f意味コ配列包含(const T意味コ配列型& vt意味コ配列集合, const T意味コ配列型& vt意味コ配列部分);

// The dimension of a product ("*") or quotient ("/"); cancelling codes are dropped.
// Exponent overflow throws E整数オーバーフロー.
void f意味コ演算(const T意味コ配列型& vt被演算意味コ配列, const std::u16string& vs演算子,
                 const T意味コ配列型& vt演算意味コ配列, T意味コ配列型& rt結果);

// Divides every exponent by the root; false (array unchanged) unless all divide evenly.
// A root of 0 divides nothing: false.
bool f基本意味コ配列変換(T意味コ配列型& rt意味コ配列, int32_t vl累乗根);

// -1, 0 or 1 comparing two lists of pending corrections.
int32_t f保留補正式比較(const T保留補正式配列型& vt保留補正式1,
                         const T保留補正式配列型& vt保留補正式2);

// Whether the set holds a correction of the part's dimension with the same formula.
bool f保留補正式包含(const T保留補正式配列型& vt保留補正式集合,
                     const T保留補正式型& vt保留補正式部分);

// The first list followed by the entries of the second whose dimension it lacks.
void f単項表記リストマージ(const T単項表記配列型& vt被単項表記リスト,
                           const T単項表記配列型& vt単項表記リスト, T単項表記配列型& rtマージリスト);

// Deep copies (the records own their arrays, so a vector copy is deep).
inline void Copy_T保留補正式配列型(const T保留補正式配列型& vt_from, T保留補正式配列型& rt_to) {
    rt_to = vt_from;
}
inline void Copy_T単項表記配列型(const T単項表記配列型& vt_from, T単項表記配列型& rt_to) {
    rt_to = vt_from;
}
