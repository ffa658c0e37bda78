#include "engine/units/notation.h"

#include "common/checked_int.h"
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

}  // namespace

bool f単一表記検索(const std::u16string& vs単一単位表記, int32_t& rl一致インデックス, int32_t& rl指数) {
    const std::optional<T綴り索引型> hit = f綴り索引検索(vs単一単位表記);
    rl一致インデックス = hit ? hit->l行 : 0;
    rl指数 = hit ? hit->l十進指数 : 0;
    return hit.has_value();
}

namespace {

// 2^n in decimal digits, for the binary prefixes (n is at most 60).
std::u16string f二の累乗(int32_t n) {
    const auto v = uint64_t{1} << n;
    const std::string d = std::to_string(v);
    return std::u16string(d.begin(), d.end());
}

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
    void AddTerm(const std::u16string& token, const std::u16string& x, const T綴り索引型& hit,
                 const std::u16string& o) {
        const int32_t row = hit.l行, p = hit.l十進指数;
        const int32_t ex = ForceStrToInt(x);
        // An exponent too long for 32 bits must not silently read as 0.
        if (ex == 0 && x.find_first_of(u"123456789") != std::u16string::npos) {
            throw E整数オーバーフロー();
        }
        const T単一表記単位情報型& unit = t単一表記単位情報[row];
        T意味コ配列型 D = unit.t単一.t意味コ配列;
        for (size_t k = 1; k < D.size(); ++k) D[k].l指数 = f検査付乗算(D[k].l指数, ex);
        ReadCorrections(unit.s基底値補正式, D, ex, o);
        // a binary prefix is a factor like the row's own: 2 to its power, raised to ex
        if (hit.l二進指数 != 0) ReadCorrections(u"*" + f二の累乗(hit.l二進指数), D, ex, o);
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
                const std::optional<T綴り索引型> hit = f綴り索引検索(token);
                if (!hit) return;
                if (bInGroup && sOperator == u"/") {
                    sGroupOperator = sGroupOperator == u"*" ? u"/" : u"*";
                }
                reader.AddTerm(token, x, *hit, bInGroup ? sGroupOperator : sOperator);
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
