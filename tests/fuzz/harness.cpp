#include "harness.h"

#include <algorithm>
#include <utility>

#include "engine/number/mantissa.h"
#include "common/utf.h"
#include "engine/number/huge.h"
#include "commands/evaluator.h"

namespace {

// Pump calls per line, and per character of the line: enough for ordinary lines to end
// by themselves, small enough that a run stays at thousands of inputs per second.
constexpr uint64_t kFuzz基本予算 = 4000;
constexpr uint64_t kFuzz文字予算 = 2;

// An ASCII letter or digit, the characters of a number with letters.
bool fFuzz英数字(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

void fFuzz上限設定() {
    constexpr uint64_t bits = 4096, cap = uint64_t{1} << 22;
    // A gcd beyond its limit runs on a thread while the caller sleeps between pump calls:
    // at the cap no fuzzed gcd does, so the budget stays work, not sleep.
    f分割上限() = T分割上限型{bits, bits, bits, bits, cap, cap};
}

TFuzz予算::TFuzz予算(ClsBrelvita& rEngine)
    : TFuzz予算([&rEngine](std::function<void()> f) { rEngine.t取消要求.f監視設定(std::move(f), 0); },
                [&rEngine] { rEngine.f単位付計算キャンセル指示(); }) {}

TFuzz予算::TFuzz予算(T評価器& rEvaluator)
    : TFuzz予算([&rEvaluator](std::function<void()> f) { rEvaluator.f監視設定(std::move(f), 0); },
                [&rEvaluator] { rEvaluator.fキャンセル(); }) {}

TFuzz予算::TFuzz予算(std::function<void(std::function<void()>)> f設定, std::function<void()> vf取消)
    : f監視設定_(std::move(f設定)), f取消_(std::move(vf取消)) {
    f監視設定_([this] {
        if (l残り_ > 0) {
            --l残り_;
        } else {
            f取消_();
        }
    });
}

TFuzz予算::~TFuzz予算() { f監視設定_(nullptr); }

void TFuzz予算::f開始(size_t vl文字数) {
    l残り_ = kFuzz基本予算 + kFuzz文字予算 * vl文字数;
}

void fFuzz有理数(const T分数型& f, mpq_ptr q) {
    const std::string num = Utf16ToUtf8(f.t分子.f文字列()), den = Utf16ToUtf8(f.t分母.f文字列());
    mpz_set_str(mpq_numref(q), num.c_str(), 10);
    mpz_set_str(mpq_denref(q), den.c_str(), 10);
    if (mpz_sgn(mpq_denref(q)) == 0) {
        mpq_set_ui(q, 0, 1);
        return;
    }
    mpq_canonicalize(q);
}

bool fFuzz同値(const T複素数型& a, const T複素数型& b) {
    const T仮数型 &x = a.t浮動小数.t仮数, &y = b.t浮動小数.t仮数;
    mpq_t p, q;
    mpq_inits(p, q, nullptr);
    fFuzz有理数(x.t底, p);
    fFuzz有理数(y.t底, q);
    bool same = mpq_equal(p, q);
    fFuzz有理数(x.t指数, p);
    fFuzz有理数(y.t指数, q);
    same = same && mpq_equal(p, q);
    mpq_clears(p, q, nullptr);
    return same;
}

std::vector<std::u16string> fFuzz行分割(std::u16string_view s) {
    std::vector<std::u16string> lines;
    while (!s.empty()) {
        const size_t end = std::min(s.find(u'\n'), s.size());
        lines.emplace_back(s.substr(0, end));
        s.remove_prefix(std::min(end + 1, s.size()));
    }
    return lines;
}

bool fUTF16整形式(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

bool f範囲妥当(int32_t pos, int32_t len, size_t vl長さ) {
    if (pos == -1) return len == 0;
    return pos >= 0 && len >= 0 && static_cast<uint64_t>(pos) + static_cast<uint64_t>(len) <= vl長さ;
}

std::string fFuzz表示(std::u16string_view s) {
    constexpr size_t kMax = 200;
    std::string text = Utf16ToUtf8(s.substr(0, kMax));
    if (s.size() > kMax) text += "…";
    return text;
}

std::u16string fFuzz数値形(std::u16string_view s, bool bDigitsOnly) {
    enum { kBefore, kAfter, kCycle } state = kBefore;
    size_t fraction = 0, cycle = 0;
    std::u16string out;
    for (const char16_t c : s) {
        const bool digit = bDigitsOnly ? c >= u'0' && c <= u'9' : fFuzz英数字(c);
        if (state == kBefore && (digit || c == u'.')) {
            if (!digit) state = kAfter;
        } else if (state == kAfter && digit) {
            ++fraction;
        } else if (state == kAfter && c == u'`' && fraction > 0) {
            state = kCycle;
        } else if (state == kCycle && digit) {
            ++cycle;
        } else {
            if (state == kCycle && c == u'`') {
                out += c;
            } else if (state == kCycle && cycle > 0) {
                out += u'`';
            }
            return out;
        }
        out += c;
    }
    if (state == kCycle && cycle > 0) out += u'`';
    return out;
}

std::u16string fFuzz循環回転(const std::u16string& s) {
    const size_t open = s.find(u'`');
    if (open == std::u16string::npos || open == 0 || s[open - 1] == u'.') return u"";
    const size_t close = std::min(s.find(u'`', open + 1), s.size());
    const std::u16string cycle = s.substr(open + 1, close - open - 1) + s[open - 1];
    std::u16string out = s.substr(0, open) + cycle[0] + u'`';
    if (cycle.size() > 1) out += cycle.substr(1) + u'`';
    return out;
}
