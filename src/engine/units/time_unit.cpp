// Exceptional units: spellings beginning with "!" compute like catalogue units but are
// displayed in a form of their own. The time unit "!time" is shown as h:mm:ss in
// decimal mode and respelled as its ordinary unit everywhere else.
#include "common/exception.h"
#include "common/ut_common.h"
#include "engine/brelvita.h"
#include "engine/units/readers.h"

namespace {

// A minutes or seconds count (below 60) as two digits.
std::u16string f2桁化(const std::u16string& s) {
    return s.size() >= 2 ? s : StringOfZeroC(static_cast<int32_t>(2 - s.size())) + s;
}

}  // namespace

std::u16string f例外単位同一意味コ表記検索(const std::u16string& vs例外単位表記) {
    init_var();
    const size_t count = t単一表記単位情報.size();
    for (size_t i = 1; i < count; ++i) {
        const T単一表記単位情報型& found = t単一表記単位情報[i];
        if (found.t単一.s綴り != vs例外単位表記) continue;
        // The first row of the same dimension and the same conversion to the base value.
        for (size_t j = 1; j < count; ++j) {
            const T単一表記単位情報型& same = t単一表記単位情報[j];
            if (f意味コ配列比較(same.t単一.t意味コ配列, found.t単一.t意味コ配列) == 0 &&
                same.s基底値補正式 == found.s基底値補正式) {
                return same.t単一.s綴り;
            }
        }
    }
    return u"";
}

std::u16string ClsBrelvita::f例外単位数変換(const std::u16string& vs数値,
                                            std::u16string& rs単位表記) {
    // An infinite time has no h:mm:ss form; it keeps its notation ("∞ [!time]").
    if (vs数値.find(u'∞') != std::u16string::npos) return vs数値;

    if (fASCII小文字化(rs単位表記) == D例単_時間 && i結果表示モード == DEC_CMD) {
        std::u16string s整数 = vs数値;
        const std::u16string s符号 = f符号取出し(s整数);
        std::u16string s小数;
        f小数分離(s整数, s小数);
        const Tキャンセル検査 check = fキャンセル検査();
        check();  // a cancellation point before the hours and minutes are divided off
        T整数型 t時, t時余り, t分, t秒;
        f商余(T整数型::f読込(s整数, check), T整数型(3600), t時, t時余り, check);
        f商余(t時余り, T整数型(60), t分, t秒, check);
        rs単位表記.clear();
        // Hours are not wrapped at 24; the fraction of the second keeps its cycle marks.
        return s符号 + t時.f文字列(check) + D時分区切 + f2桁化(t分.f文字列(check)) + D時分区切 +
               f2桁化(t秒.f文字列(check)) + s小数;
    }

    f例外単位表記置換(rs単位表記);
    return vs数値;
}

void f例外単位表記置換(std::u16string& rs単位表記) {
    std::u16string s結果;
    s結果.reserve(rs単位表記.size());
    std::u16string s指数;
    for (size_t pos = 0; pos < rs単位表記.size();) {
        std::u16string sトークン = f単位トークン取出し(rs単位表記, pos, s指数);
        if (sトークン.starts_with(D例外単位印)) {
            if (fASCII小文字化(sトークン) != D例単_時間) throw E一般例外(RCFES_不正例外単位);
            sトークン = f例外単位同一意味コ表記検索(D例単_時間);
        }
        s結果 += sトークン;
        if (s指数 != u"1") s結果 += s指数;
    }
    rs単位表記 = std::move(s結果);
}
