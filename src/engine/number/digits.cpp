#include "engine/number/digits.h"

#include "common/exception.h"
#include "common/ut_common.h"

std::u16string fゼロ正規化(std::u16string ps正数) {
    const size_t first = ps正数.find_first_not_of(u'0');
    if (first == std::u16string::npos) return u"0";
    ps正数.erase(0, first);
    return ps正数;
}

std::u16string f小数正規化(std::u16string vs小数) {
    const std::u16string sSign = f符号取出し(vs小数);
    std::u16string s = fゼロ正規化(std::move(vs小数));
    if (!s.empty() && s.front() == u'.') s.insert(s.begin(), u'0');
    if (s.find(u'.') != std::u16string::npos) {
        const size_t last = s.find_last_not_of(u'0');
        s.erase(last + 1);
        if (s.back() == u'.') s.pop_back();
    }
    if (!sSign.empty()) s.insert(s.begin(), u'-');
    return s;
}

std::u16string f符号取出し(std::u16string& rs数値文字列) {
    if (!rs数値文字列.empty() && rs数値文字列.front() == u'-') {
        rs数値文字列.erase(0, 1);
        return u"-";
    }
    return u"";
}

void f小数分離(std::u16string& rs数値, std::u16string& rs小数) {
    rs小数.clear();
    const size_t point = rs数値.find(u'.');
    if (point == std::u16string::npos) return;
    rs小数 = rs数値.substr(point);
    rs数値.erase(point);
}

std::u16string StringOfZeroC(int32_t cnt) {
    return cnt <= 0 ? std::u16string() : std::u16string(static_cast<size_t>(cnt), u'0');
}

int32_t f指定下有効桁数値変換(std::u16string& s, int32_t n) {
    const int32_t lValue = ForceStrToInt(StrRight(s, n));
    if (n >= static_cast<int32_t>(s.size())) {
        s.clear();
    } else if (n > 0) {
        s.resize(s.size() - static_cast<size_t>(n));
    }
    return lValue;
}

int32_t f下有効桁数値変換(std::u16string& s) { return f指定下有効桁数値変換(s, D長整数有効桁数); }

std::u16string f指定上桁数値取出し(std::u16string& s, int32_t n) {
    std::u16string sHead = StrLeft(s, n);
    s.erase(0, sHead.size());
    return sHead;
}

void f符号付結果追従(std::u16string& rs結果, const std::u16string& s符号, const std::u16string& s途中) {
    if (rs結果.size() < s符号.size()) {
        rs結果 = s符号 + s途中;
    } else {
        rs結果.append(s途中, rs結果.size() - s符号.size());
    }
}

void f循環節印挿入(std::u16string& rs途中, uint64_t k) {
    if (k > rs途中.size()) throw E範囲エラー();
    rs途中.insert(rs途中.size() - k, 1, D循環節文字);
    if (rs途中.back() != D循環節文字) rs途中.push_back(D循環節文字);
}
