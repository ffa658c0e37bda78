#include "common/ut_common.h"

#include "common/exception.h"

std::u16string StrLeft(const std::u16string& Str, int32_t lLen) {
    if (lLen <= 0) return u"";
    return Str.substr(0, static_cast<size_t>(lLen));
}

std::u16string StrMid(const std::u16string& Str, int32_t lPos, int32_t lLen) {
    if (lPos < 1) lPos = 1;
    if (static_cast<size_t>(lPos) > Str.size()) return u"";
    if (lLen == -1) return Str.substr(static_cast<size_t>(lPos) - 1);
    if (lLen <= 0) return u"";
    return Str.substr(static_cast<size_t>(lPos) - 1, static_cast<size_t>(lLen));
}

std::u16string StrRight(const std::u16string& Str, int32_t rLen) {
    if (rLen <= 0) return u"";
    if (static_cast<size_t>(rLen) >= Str.size()) return Str;
    return Str.substr(Str.size() - static_cast<size_t>(rLen));
}

int32_t RevPos(const std::u16string& Substr, const std::u16string& S, int32_t len) {
    if (len < 0 || static_cast<size_t>(len) > S.size()) throw E範囲エラー();
    if (Substr.empty() || Substr.size() > static_cast<size_t>(len)) return 0;
    const size_t found = std::u16string_view(S).substr(0, len).rfind(Substr);
    return found == std::u16string::npos ? 0 : static_cast<int32_t>(found) + 1;
}

int32_t RevPos(const std::u16string& Substr, const std::u16string& S) {
    return RevPos(Substr, S, static_cast<int32_t>(S.size()));
}

int32_t ForceStrToInt(const std::u16string& sVal) {
    bool bNegative = false;
    bool bStarted = false;  // a digit or the "-" has been met
    bool bDigit = false;
    int64_t value = 0;
    for (char16_t c : sVal) {
        if (c >= u'0' && c <= u'9') {
            bStarted = bDigit = true;
            value = value * 10 + (c - u'0');
            if (value > int64_t{INT32_MAX} + 1) return 0;  // cannot fit either sign
        } else if (c == u'-') {
            if (!bDigit && !bStarted) bNegative = true;
            bStarted = true;
        } else if (c == u'.') {
            if (bStarted) break;
        }
    }
    if (!bDigit) return 0;
    if (bNegative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<int32_t>(value);
}

std::u16string IntToStr(int64_t value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

bool f英字含有(const std::u16string& s) {
    for (const char16_t c : s) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
    }
    return false;
}

std::u16string fASCII小文字化(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}
