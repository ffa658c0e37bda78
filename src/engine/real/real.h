// Real numbers beyond fractions and roots: sums of irrational roots, pi, e and the
// elementary functions. A real is an immutable expression tree; its value is decided and
// expanded by the real-number module (Calcium and Arb, opened on first use) on a helper
// thread that the calculating thread abandons when a cancel arrives. The tree holds its
// numbers as plain GMP integers and its nodes are shared by atomic counts, so a helper
// may keep a tree alive after the line that made it has ended.
#pragma once

#include <gmp.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/number/fraction.h"
#include "engine/real/real_module.h"

// The operations of a tree; the codes are the module's.
enum class E実数演算 : int {
    m有理 = TV_RATIONAL,
    m円周率 = TV_PI,
    mネイピア数 = TV_E,
    m加算 = TV_ADD,
    m減算 = TV_SUB,
    m乗算 = TV_MUL,
    m除算 = TV_DIV,
    m累乗 = TV_POW,
    m符号反転 = TV_NEG,
    m平方根 = TV_SQRT,
    m立方根 = TV_CBRT,
    m指数関数 = TV_EXP,
    m自然対数 = TV_LN,
    m常用対数 = TV_LOG10,
    m正弦 = TV_SIN,
    m余弦 = TV_COS,
    m正接 = TV_TAN,
    m逆正弦 = TV_ASIN,
    m逆余弦 = TV_ACOS,
    m逆正接 = TV_ATAN,
    m双曲線正弦 = TV_SINH,
    m双曲線余弦 = TV_COSH,
    m双曲線正接 = TV_TANH,
    m絶対値 = TV_ABS,
    m床関数 = TV_FLOOR,
    m天井関数 = TV_CEIL,
};

// One node: a rational leaf, a constant, or an operation on one or two nodes.
struct T実数式 {
    E実数演算 e演算 = E実数演算::m有理;
    mpz_t z分子, z分母;                  // the leaf's value in lowest terms (den > 0)
    std::shared_ptr<const T実数式> pA, pB;  // operands (pB only for two-operand ops)
    T実数式();
    ~T実数式();
    T実数式(const T実数式&) = delete;
    T実数式& operator=(const T実数式&) = delete;
};
using P実数 = std::shared_ptr<const T実数式>;

// --- Building trees (no module call).
// A rational leaf; the fraction must be finite (an infinity or -0 is the caller's case).
P実数 f実数有理(const T分数型& vt値, const Tキャンセル検査& check);
// pi and e.
P実数 f実数定数(E実数演算 e定数);
// An operation on one or two trees.
P実数 f実数演算(E実数演算 e演算, P実数 pA, P実数 pB = nullptr);
// The number of distinct nodes of a tree (shared ones counted once).
size_t f実数節点数(const P実数& p);

// --- Text form: the tree in the calculator's own syntax, fully bracketed, made only of
// integers, + - * / ^, pi, e and calls ("((2^(1/2))+1)"); f実数読込 reads exactly that
// back (nothing else), giving an equal tree.
std::string f実数式文字列(const P実数& p);
bool f実数読込(std::string_view vs文字列, P実数& rp);

// The function name of a call node ("sqrt", "ln", ...), empty for other nodes.
const char* f実数関数名(E実数演算 e演算);
// The call node of a function name, false for a name that is not a function.
bool f実数関数検索(std::u16string_view vs名前, E実数演算& re演算);

// --- Deciding and expanding values (the module; run on helper threads).
// Raised when a tree has no real value or cannot be built; the message is the user's
// error text, and the node is the one that failed (a function call's node for a domain
// error), so that the caller can point at it.
class E実数エラー : public E一般例外 {
public:
    E実数エラー(std::u16string vs, const T実数式* p) : E一般例外(std::move(vs)), p節点(p) {}
    const T実数式* p節点;
};

// Whether the module can be used here (it is opened on the first call); false with the
// loader's reason when it cannot.
bool f実数モジュール利用可(std::string* ps理由 = nullptr);

// A value built once on a helper thread of its own, which answers the questions below.
// Every call waits for the helper while checking for a cancel; a cancel abandons the
// helper (it finishes its current step on its own copies and ends), and every later call
// on this object raises the cancel again.
class T実数値 {
public:
    // Builds the tree's value; throws E実数エラー for a value that has none.
    T実数値(P実数 p, const Tキャンセル検査& check);
    ~T実数値();
    T実数値(const T実数値&) = delete;
    T実数値& operator=(const T実数値&) = delete;

    // True with the fraction when the value is proven rational.
    bool f有理(T分数型& rt値, const Tキャンセル検査& check);
    // -1, 0 or 1 when decided, 2 when not.
    int f符号(const Tキャンセル検査& check);
    // floor(|x| * radix^k) and the sign of x, raising the precision until an enclosure
    // decides it (a value that sits on a boundary and cannot be decided runs until it
    // is cancelled).
    T整数型 f切捨桁(int32_t vi基数, int64_t vl桁, bool& rb負, const Tキャンセル検査& check);

private:
    struct T作業者;
    std::shared_ptr<T作業者> p作業者_;
};
