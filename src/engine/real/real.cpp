// Real-number trees: building them, their text in the calculator's syntax and the
// reading of that text. Nothing here calls the real-number module.
#include "engine/real/real.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/number/integer.h"

namespace {

struct T関数名 {
    const char* s名前;
    E実数演算 e演算;
};

// The functions by name, in the order the help lists them.
constexpr T関数名 k関数[] = {
    {"sqrt", E実数演算::m平方根},      {"cbrt", E実数演算::m立方根},     {"exp", E実数演算::m指数関数},
    {"ln", E実数演算::m自然対数},      {"log", E実数演算::m常用対数},    {"sin", E実数演算::m正弦},
    {"cos", E実数演算::m余弦},         {"tan", E実数演算::m正接},        {"asin", E実数演算::m逆正弦},
    {"acos", E実数演算::m逆余弦},      {"atan", E実数演算::m逆正接},     {"sinh", E実数演算::m双曲線正弦},
    {"cosh", E実数演算::m双曲線余弦},  {"tanh", E実数演算::m双曲線正接}, {"abs", E実数演算::m絶対値},
    {"floor", E実数演算::m床関数},     {"ceil", E実数演算::m天井関数},
};

// The operator character of a two-operand node, 0 for other nodes.
char f演算子(E実数演算 e) {
    switch (e) {
        case E実数演算::m加算: return '+';
        case E実数演算::m減算: return '-';
        case E実数演算::m乗算: return '*';
        case E実数演算::m除算: return '/';
        case E実数演算::m累乗: return '^';
        default: return 0;
    }
}

void f整数追記(std::string& rs, mpz_srcptr z) {
    const size_t at = rs.size();
    rs.resize(at + mpz_sizeinbase(z, 10) + 2);
    mpz_get_str(rs.data() + at, 10, z);
    rs.resize(at + std::char_traits<char>::length(rs.data() + at));
}

void f書出(std::string& rs, const T実数式& x) {
    switch (x.e演算) {
        case E実数演算::m有理: {
            const bool bNegative = mpz_sgn(x.z分子) < 0;
            const bool bFraction = mpz_cmp_ui(x.z分母, 1) != 0;
            if (bNegative || bFraction) rs += '(';
            f整数追記(rs, x.z分子);
            if (bFraction) {
                rs += '/';
                f整数追記(rs, x.z分母);
            }
            if (bNegative || bFraction) rs += ')';
            return;
        }
        case E実数演算::m円周率: rs += "pi"; return;
        case E実数演算::mネイピア数: rs += 'e'; return;
        case E実数演算::m符号反転:
            rs += "(-";
            f書出(rs, *x.pA);
            rs += ')';
            return;
        default: break;
    }
    if (const char op = f演算子(x.e演算)) {
        rs += '(';
        f書出(rs, *x.pA);
        rs += op;
        f書出(rs, *x.pB);
        rs += ')';
        return;
    }
    rs += f実数関数名(x.e演算);
    rs += '(';
    f書出(rs, *x.pA);
    rs += ')';
}

// A reader of exactly the texts f書出 writes.
class T読取 {
public:
    explicit T読取(std::string_view s) : s_(s) {}

    bool f全体(P実数& rp) { return f項(rp) && i_ == s_.size(); }

private:
    bool f次(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool f名前(std::string& rs) {
        while (i_ < s_.size() && s_[i_] >= 'a' && s_[i_] <= 'z') rs += s_[i_++];
        return !rs.empty();
    }
    // Decimal digits without sign or leading zero (other than "0" itself).
    bool f整数(mpz_t z) {
        const size_t from = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        if (i_ == from || (s_[from] == '0' && i_ - from > 1)) return false;
        return mpz_set_str(z, std::string(s_.substr(from, i_ - from)).c_str(), 10) == 0;
    }
    // A rational leaf from the integer just read, its sign and an optional denominator.
    bool f有理葉(P実数& rp, mpz_t n, bool bNegative) {
        auto p = std::make_shared<T実数式>();
        mpz_swap(p->z分子, n);
        if (f次('/')) {
            if (!f整数(p->z分母) || mpz_sgn(p->z分母) == 0) return false;
            mpz_t g;
            mpz_init(g);
            mpz_gcd(g, p->z分子, p->z分母);
            mpz_divexact(p->z分子, p->z分子, g);
            mpz_divexact(p->z分母, p->z分母, g);
            mpz_clear(g);
        }
        if (bNegative) mpz_neg(p->z分子, p->z分子);
        rp = std::move(p);
        return f次(')');
    }
    bool f項(P実数& rp) {
        if (++depth_ > 100000) return false;
        const bool ok = f項本体(rp);
        --depth_;
        return ok;
    }
    bool f項本体(P実数& rp) {
        if (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') {
            auto p = std::make_shared<T実数式>();
            if (!f整数(p->z分子)) return false;
            rp = std::move(p);
            return true;
        }
        if (f次('(')) return f括弧内(rp);
        std::string name;
        if (!f名前(name)) return false;
        if (name == "pi") return (rp = f実数定数(E実数演算::m円周率)), true;
        if (name == "e") return (rp = f実数定数(E実数演算::mネイピア数)), true;
        E実数演算 e;
        std::u16string name16(name.begin(), name.end());
        P実数 a;
        if (!f実数関数検索(name16, e) || !f次('(') || !f項(a) || !f次(')')) return false;
        rp = f実数演算(e, std::move(a));
        return true;
    }
    // After "(": "-n)", "-n/d)", "n/d)", "-A)" or "A op B)".
    bool f括弧内(P実数& rp) {
        const bool bMinus = f次('-');
        if (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') {
            const size_t at = i_;
            T整数一時 n;
            if (!f整数(n.z)) return false;
            // "n/d" is a leaf; "n/(" or "n/pi" a division whose dividend is n.
            const bool bFraction = i_ + 1 < s_.size() && s_[i_] == '/' && s_[i_ + 1] >= '0' && s_[i_ + 1] <= '9';
            if (bMinus || bFraction) {
                if (bMinus && i_ < s_.size() && s_[i_] != ')' && s_[i_] != '/') return false;
                return f有理葉(rp, n.z, bMinus);
            }
            i_ = at;  // an integer that starts a two-operand node
        }
        P実数 a, b;
        if (!f項(a)) return false;
        if (bMinus) {
            rp = f実数演算(E実数演算::m符号反転, std::move(a));
            return f次(')');
        }
        if (i_ >= s_.size()) return false;
        const char op = s_[i_++];
        E実数演算 e;
        switch (op) {
            case '+': e = E実数演算::m加算; break;
            case '-': e = E実数演算::m減算; break;
            case '*': e = E実数演算::m乗算; break;
            case '/': e = E実数演算::m除算; break;
            case '^': e = E実数演算::m累乗; break;
            default: return false;
        }
        if (!f項(b) || !f次(')')) return false;
        rp = f実数演算(e, std::move(a), std::move(b));
        return true;
    }
    struct T整数一時 {
        mpz_t z;
        T整数一時() { mpz_init(z); }
        ~T整数一時() { mpz_clear(z); }
    };

    std::string_view s_;
    size_t i_ = 0;
    int depth_ = 0;
};

}  // namespace

T実数式::T実数式() {
    mpz_init(z分子);
    mpz_init_set_ui(z分母, 1);
}

T実数式::~T実数式() {
    mpz_clear(z分子);
    mpz_clear(z分母);
}

P実数 f実数有理(const T分数型& vt値, const Tキャンセル検査& check) {
    const T分数型 F = vt値.b既約確認済 ? vt値 : f約分(vt値, check);
    auto p = std::make_shared<T実数式>();
    mpz_set(p->z分子, T整数視(F.t分子));
    mpz_set(p->z分母, T整数視(F.t分母));
    if (mpz_sgn(p->z分母) < 0) {
        mpz_neg(p->z分子, p->z分子);
        mpz_neg(p->z分母, p->z分母);
    }
    return p;
}

P実数 f実数定数(E実数演算 e定数) {
    auto p = std::make_shared<T実数式>();
    p->e演算 = e定数;
    return p;
}

P実数 f実数演算(E実数演算 e演算, P実数 pA, P実数 pB) {
    auto p = std::make_shared<T実数式>();
    p->e演算 = e演算;
    p->pA = std::move(pA);
    p->pB = std::move(pB);
    return p;
}

size_t f実数節点数(const P実数& p) {
    std::unordered_set<const T実数式*> seen;
    std::vector<const T実数式*> todo{p.get()};
    while (!todo.empty()) {
        const T実数式* x = todo.back();
        todo.pop_back();
        if (x == nullptr || !seen.insert(x).second) continue;
        todo.push_back(x->pA.get());
        todo.push_back(x->pB.get());
    }
    return seen.size();
}

std::string f実数式文字列(const P実数& p) {
    std::string s;
    f書出(s, *p);
    return s;
}

bool f実数読込(std::string_view vs文字列, P実数& rp) {
    P実数 p;
    if (!T読取(vs文字列).f全体(p)) return false;
    rp = std::move(p);
    return true;
}

const char* f実数関数名(E実数演算 e演算) {
    for (const T関数名& f : k関数) {
        if (f.e演算 == e演算) return f.s名前;
    }
    return "";
}

bool f実数関数検索(std::u16string_view vs名前, E実数演算& re演算) {
    for (const T関数名& f : k関数) {
        if (std::u16string_view(vs名前).size() == std::char_traits<char>::length(f.s名前) &&
            std::equal(vs名前.begin(), vs名前.end(), f.s名前)) {
            re演算 = f.e演算;
            return true;
        }
    }
    return false;
}
