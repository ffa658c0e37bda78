#include "engine/units/notation.h"

#include "common/checked_int.h"
#include "common/regex.h"
#include "common/ut_common.h"
#include "engine/brelvita.h"
#include "engine/units/catalogue.h"
#include "engine/units/readers.h"

namespace {

// Powers of ten from prefixes beyond this would build formulas of millions of zeros;
// such a notation is reported as unknown instead. The same bound holds for the digits of
// a unit's factor raised to the term's exponent ("min123456789" would be 60 to that power).
constexpr int32_t kMaxPrefixPower = 1000000;
constexpr int64_t kMaxFactorDigits = 1000000;

constexpr char16_t RCFES_意味コ変換s基底値補正式構文不正[] =
    u"駄目だこりゃ! f意味コ変換()でt単一表記単位情報().s基底値補正式の構文エラーが発生した";

// Whether a catalogue spelling matches the term directly (pattern: the whole term).
bool MatchesDirectly(const std::u16string& w, bool bPattern, const std::u16string& term) {
    if (!bPattern) return term == w;
    return TRegEx::IsMatch(term, u"^" + w + u"$");
}

// Whether the term ends with the spelling (pattern: matches at the end).
bool EndsWith(const std::u16string& w, bool bPattern, const std::u16string& term) {
    if (!bPattern) return term.size() >= w.size() && term.compare(term.size() - w.size(), w.size(), w) == 0;
    return TRegEx::IsMatch(term, w + u"$");
}

// Whether prefix + spelling is the whole term.
bool MatchesWithPrefix(const std::u16string& prefix, const std::u16string& w, bool bPattern,
                       const std::u16string& term) {
    if (!bPattern) return term.size() == prefix.size() + w.size() && term.starts_with(prefix) &&
                          term.ends_with(w);
    return TRegEx::IsMatch(term, u"^" + prefix + w + u"$");
}

}  // namespace

bool f単一表記検索(const std::u16string& vs単一単位表記, int32_t& rl一致インデックス, int32_t& rl指数) {
    init_var();
    rl一致インデックス = 0;
    rl指数 = 0;
    for (int32_t i = 1; i < D単一表記単位数; ++i) {
        const auto& row = t単一表記単位情報[i];
        const bool bPattern = !row.t単一.s綴り.empty() && row.t単一.s綴り[0] == D正規文印[0];
        const std::u16string w = bPattern ? row.t単一.s綴り.substr(1) : row.t単一.s綴り;
        if (MatchesDirectly(w, bPattern, vs単一単位表記)) {
            rl一致インデックス = i;
            return true;
        }
        if (!EndsWith(w, bPattern, vs単一単位表記)) continue;
        for (const auto& prefix : t接頭子リスト) {
            if ((prefix.lフラグ & row.l接頭子フラグ) == 0) continue;
            if (MatchesWithPrefix(prefix.s接頭子, w, bPattern, vs単一単位表記)) {
                rl一致インデックス = i;
                rl指数 = prefix.l指数;
                return true;
            }
        }
    }
    return false;
}

namespace {

// Working state of one notation being resolved.
struct NotationReader {
    explicit NotationReader(ClsBrelvita& engine) : e(engine) {}
    ClsBrelvita& e;
    std::u16string sCorrection;            // "*1000/3600..." built term by term
    T意味コ配列型 tDimension = f数値意味コ配列();
    T単項表記配列型 tTerms = T単項表記配列型(1);
    T保留補正式配列型 tPending = T保留補正式配列型(1);
    int32_t lPower = 0;                    // accumulated power of ten from prefixes

    // Folds one found term (catalogue row, prefix power, exponent text) in with operator o.
    void AddTerm(const std::u16string& token, const std::u16string& x, int32_t row, int32_t p,
                 const std::u16string& o) {
        const int32_t ex = ForceStrToInt(x);
        // An exponent too long for 32 bits must not silently read as 0.
        if (ex == 0 && x.find_first_of(u"123456789") != std::u16string::npos) {
            throw E整数オーバーフロー();
        }
        const T単一表記単位情報型& unit = t単一表記単位情報[row];
        T意味コ配列型 D = unit.t単一.t意味コ配列;
        for (size_t k = 1; k < D.size(); ++k) D[k].l指数 = f検査付乗算(D[k].l指数, ex);
        ReadCorrections(unit.s基底値補正式, D, ex, o);
        const int32_t pe = f検査付乗算(p, ex);
        lPower = o == u"*" ? f検査付加算(lPower, pe) : f検査付減算(lPower, pe);
        if (lPower > kMaxPrefixPower || lPower < -kMaxPrefixPower) throw E整数オーバーフロー();
        f意味コ演算(tDimension, o, D, tDimension);
        tTerms.push_back({D, x == u"1" ? token : token + x});
    }

    // Reads a row's correction formula: offsets become pending corrections, factors are
    // raised to |e| and appended to the correction text with the effective operator.
    void ReadCorrections(const std::u16string& formula, const T意味コ配列型& D, int32_t ex,
                         const std::u16string& o) {
        std::u16string rest = formula;
        std::u16string c = rest.substr(0, 1);
        rest.erase(0, 1);
        std::u16string v = fトークン取出し(rest);
        while (!v.empty()) {
            if (c == u"+" || c == u"-") {
                tPending.push_back({D, formula});
            } else if (c == u"*" || c == u"/") {
                const int64_t digits = static_cast<int64_t>(v.size()) * (ex < 0 ? -int64_t{ex} : ex);
                if (v != u"1" && digits > kMaxFactorDigits) throw E整数オーバーフロー();
                bool bMultiply = c == o;
                if (ex < 0) bMultiply = !bMultiply;
                const int32_t n = ex < 0 ? f検査付符号反転(ex) : ex;
                if (v == u"π") {
                    // pi has no digits to raise: it is repeated as a factor instead.
                    if (n > 64) throw E整数オーバーフロー();
                    for (int32_t i = 0; i < n; ++i) sCorrection += (bMultiply ? u"*" : u"/") + v;
                } else {
                    sCorrection += bMultiply ? u"*" : u"/";
                    sCorrection += f累乗文字列計算(v, n, e.fキャンセル検査());
                }
            } else {
                throw E一般例外(RCFES_意味コ変換s基底値補正式構文不正);
            }
            c = fトークン取出し(rest);
            v = fトークン取出し(rest);
        }
    }

    // The formula: the prefix power of ten, then the correction text.
    std::u16string Formula() const {
        if (lPower > 0) return u"*1" + StringOfZeroC(lPower) + sCorrection;
        if (lPower < 0) return u"/1" + StringOfZeroC(-lPower) + sCorrection;
        return sCorrection;
    }
};

}  // namespace

void ClsBrelvita::f意味コ変換(const std::u16string& vs単位表記, T意味コ配列型& rt意味コ配列,
                               T単項表記配列型& rt単項表記リスト, std::u16string& rs基底値変換式,
                               T保留補正式配列型& rt保留補正式) {
    rt単項表記リスト.clear();
    rt保留補正式.clear();
    rs基底値変換式.clear();
    if (vs単位表記.empty()) {
        rt意味コ配列 = f数値意味コ配列();
        return;
    }
    init_var();
    rt意味コ配列 = f未知意味コ配列();
    NotationReader reader(*this);
    std::u16string x;
    size_t pos = 0;
    std::u16string sOperator = u"*", sGroupOperator = u"*";
    bool bInGroup = false;
    try {
        while (pos < vs単位表記.size()) {
            const std::u16string token = f単位トークン取出し(vs単位表記, pos, x);
            if (token == u"(") {
                if (bInGroup) return;  // groups do not nest
                bInGroup = true;
                sGroupOperator = u"*";
            } else if (token == u")") {
                if (!bInGroup) return;
                bInGroup = false;
            } else if (token == u"*" || token == u"/") {
                (bInGroup ? sGroupOperator : sOperator) = token;
            } else {
                int32_t row = 0, power = 0;
                if (!f単一表記検索(token, row, power)) return;
                if (bInGroup && sOperator == u"/") {
                    sGroupOperator = sGroupOperator == u"*" ? u"/" : u"*";
                }
                reader.AddTerm(token, x, row, power, bInGroup ? sGroupOperator : sOperator);
            }
        }
    } catch (const E整数オーバーフロー&) {
        return;  // exponents beyond 32 bits or absurd prefix powers: the unknown unit
    }
    rt意味コ配列 = reader.tDimension;
    rt保留補正式 = reader.tPending.size() > 1 ? reader.tPending : T保留補正式配列型{};
    rt単項表記リスト = reader.tTerms;
    rs基底値変換式 = reader.Formula();
}
