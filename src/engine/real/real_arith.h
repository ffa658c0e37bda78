// Arithmetic on values that keeps fractions and roots wherever they hold the value
// exactly, and turns to real-number trees where they cannot: a sum with an irrational
// root, the negative of an even root, an irrational exponent, pi, e and the functions.
#pragma once

#include "engine/number/mantissa.h"
#include "engine/real/real.h"

// The tree of a real value.
inline const P実数& f実数木参照(const T複素数型& v) { return v.p実数; }
// True when the mantissa is a root whose value is not rational.
bool f無理根判定(const T仮数型& vt仮数, const Tキャンセル検査& check);
// The value as a tree: its own tree, a rational leaf, or an irrational root as a power.
// An infinity has no tree (an error).
P実数 f実数木(const T複素数型& vt値, const Tキャンセル検査& check);
// The value that is the tree.
T複素数型 f実数値作成(P実数 p);
// A value that is a fraction.
T複素数型 f有理値作成(const T分数型& vt分数);
// Whether the value is (for now) a tree or an irrational root: an expansion of it never ends.
bool f無理数候補(const T複素数型& vt値, const Tキャンセル検査& check);

// a + b, a - b, a * b, a / b and a ^ b.
T複素数型 f値加算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f値減算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f値乗算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f値除算(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
T複素数型 f値累乗(const T複素数型& a, const T複素数型& b, const Tキャンセル検査& check);
// The function (a call node's operation) of a value, as a tree.
T複素数型 f値関数(E実数演算 e関数, const T複素数型& a, const Tキャンセル検査& check);
