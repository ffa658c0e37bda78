#include "engine/units/readers.h"

#include "common/exception.h"
#include "common/ut_common.h"

namespace {

// Characters of an exponent run: digits and "-".
bool IsExponentChar(char16_t c) { return c == u'-' || (c >= u'0' && c <= u'9'); }

constexpr char16_t RCFES_単位指数取出失敗[] =
    u"駄目だこりゃ! f意味トークン取出し()で単位指数取り出し失敗";

}  // namespace

// The separator class is fixed, so a direct test gives the same answers as the
// regular expression and costs nothing on the lexer's path.
bool f単位区切文字判定(char16_t c) { return c == u'*' || c == u'/' || c == u')' || c == u'('; }

std::u16string f空白削除(const std::u16string& vs文字列) {
    std::u16string s;
    s.reserve(vs文字列.size());
    for (char16_t c : vs文字列) {
        if (c != u' ') s.push_back(c);
    }
    return s;
}

std::u16string_view fトークン取出し(std::u16string_view& rs文字列) {
    if (rs文字列.empty()) return {};
    size_t end = 1;
    if (!f単位区切文字判定(rs文字列[0])) {
        while (end < rs文字列.size() && !f単位区切文字判定(rs文字列[end])) ++end;
    }
    const std::u16string_view token = rs文字列.substr(0, end);
    rs文字列.remove_prefix(end);
    return token;
}

std::u16string fトークン取出し(std::u16string& rs文字列) {
    std::u16string_view rest = rs文字列;
    std::u16string token(fトークン取出し(rest));
    rs文字列.erase(0, token.size());
    return token;
}

std::u16string f単位トークン取出し(const std::u16string& vs単位文字列, size_t& rPos, std::u16string& rs単位指数) {
    rs単位指数 = u"1";
    if (rPos >= vs単位文字列.size()) return u"";
    std::u16string token(1, vs単位文字列[rPos]);
    size_t pos = rPos + 1;
    if (!f単位区切文字判定(token[0])) {
        bool bRun = false;
        for (; pos < vs単位文字列.size() && !f単位区切文字判定(vs単位文字列[pos]); ++pos) {
            const char16_t c = vs単位文字列[pos];
            if (IsExponentChar(c)) {
                rs単位指数 = bRun ? rs単位指数 + c : std::u16string(1, c);
                bRun = true;
            } else {
                if (bRun) token += rs単位指数;  // letters after digits: all in the spelling
                bRun = false;
                rs単位指数 = u"1";
                token.push_back(c);
            }
        }
    }
    rPos = pos;
    return token;
}

std::u16string f単位トークン取出し(std::u16string& rs単位文字列, std::u16string& rs単位指数) {
    size_t pos = 0;
    std::u16string token = f単位トークン取出し(rs単位文字列, pos, rs単位指数);
    rs単位文字列.erase(0, pos);
    return token;
}

std::u16string_view f意味トークン取出し(std::u16string_view& rs単位文字列, std::u16string_view& rs単位指数) {
    rs単位指数 = u"1";
    const std::u16string_view token = fトークン取出し(rs単位文字列);
    if (token.empty()) return token;
    std::u16string_view after = rs単位文字列;
    if (fトークン取出し(after) != u"(") return token;  // the next token stays unread
    rs単位指数 = fトークン取出し(after);
    if (fトークン取出し(after) != u")") throw E一般例外(RCFES_単位指数取出失敗);
    rs単位文字列 = after;
    return token;
}

std::u16string f正規文展開(const std::u16string& vs正規文) {
    enum { kNormal, kClass, kGroup } state = kNormal;
    const std::u16string sJoin = std::u16string(CSTAVELKO_RB) + CSTAVELKO_LB;
    std::u16string out;
    for (char16_t c : vs正規文) {
        switch (state) {
            case kNormal:
                if (c == u'[') state = kClass;
                else if (c == u'(') state = kGroup;
                else out.push_back(c);
                break;
            case kClass:
                if (c == u']') {
                    out.erase(out.size() >= 2 ? out.size() - 2 : 0);
                    state = kNormal;
                } else {
                    out.push_back(c);
                    out += sJoin;
                }
                break;
            case kGroup:
                if (c == u')') state = kNormal;
                else if (c == u'|') out += sJoin;
                else out.push_back(c);
                break;
        }
    }
    return out;
}
