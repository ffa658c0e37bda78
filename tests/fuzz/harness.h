// What the fuzz targets share: the engine's limits lowered to fuzzing sizes, a work
// budget counted in message-pump calls after which the evaluation is asked to cancel, and
// small checks on texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gmp.h>

class ClsBrelvita;
class T取消要求;
class T評価器;
struct T分数型;
struct T複素数型;

// Lowers the split limits to a few thousand bits (the gcd's aside), so that small inputs
// take the split methods, and refuses numbers beyond 2^22 bits. Idempotent.
void fFuzz上限設定();

// Counts the cancellation points an evaluation passes: once the budget of one line is
// used up the evaluation (or a bare engine) is asked to cancel, again at every later point,
// so that endless expansions end after a fixed amount of work (not of time). Removes its
// watch when destroyed.
class TFuzz予算 {
public:
    explicit TFuzz予算(ClsBrelvita& rEngine);
    explicit TFuzz予算(T評価器& rEvaluator);
    ~TFuzz予算();
    TFuzz予算(const TFuzz予算&) = delete;
    TFuzz予算& operator=(const TFuzz予算&) = delete;
    // Starts the budget of a line of that many characters.
    void f開始(size_t vl文字数);

private:
    // Counts at the watch f設定 installs (f設定(nullptr) removes it) and cancels with vf取消.
    TFuzz予算(std::function<void(std::function<void()>)> f設定, std::function<void()> vf取消);

    std::function<void(std::function<void()>)> f監視設定_;
    std::function<void()> f取消_;
    uint64_t l残り_ = 0;
};

// The number text the lexer cuts from the front of s (digits for bDigitsOnly, else ASCII
// letters and digits): digits, a point and fraction digits, and after a fraction digit a
// cycle between "`" marks; a cycle left open after its digits is closed. Characters the
// lexer would not take end the text.
std::u16string fFuzz数値形(std::u16string_view s, bool bDigitsOnly);

// The same number with its cycle started one digit later, which keeps the value. A cycle
// runs from the digit before the first "`" to the last digit: "0.1`23`" is 0.(123) and
// becomes "0.12`31`", "0.3`" is 0.(3) and becomes "0.33`". "" without a cycle.
std::u16string fFuzz循環回転(const std::u16string& s);

// q = the value of f (a denominator 0 gives 0: no fuzzed number is infinite).
void fFuzz有理数(const T分数型& f, mpq_ptr q);

// True when both real parts have equal bases and exponents by value (0/16 equals 0/1).
bool fFuzz同値(const T複素数型& a, const T複素数型& b);

// The lines of a text, split at line feeds (a final line feed ends the last line).
std::vector<std::u16string> fFuzz行分割(std::u16string_view s);

// True when s has no unpaired surrogate.
bool fUTF16整形式(std::u16string_view s);

// True when [pos, pos + len) lies in a text of that length, or the range is none (-1, 0).
bool f範囲妥当(int32_t pos, int32_t len, size_t vl長さ);

// The text as UTF-8 for a failure report, cut to a readable length.
std::string fFuzz表示(std::u16string_view s);
