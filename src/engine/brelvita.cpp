#include "engine/brelvita.h"

namespace {

// A plain number without unit: value from the text, the plain-number dimension.
T単位数型 PlainNumber(ClsBrelvita& e, const std::u16string& text) {
    T単位数型 v = e.f単位数変換(text);
    v.s単位表記.clear();
    e.f意味コ変換(v.s単位表記, v.t意味コ配列, v.t単項表記リスト, v.s基底値変換式, v.t保留);
    return v;
}

}  // namespace

ClsBrelvita::ClsBrelvita() {
    init_var();
    t分数の0 = f分数変換(u"0");
    t分数の1 = f分数変換(u"1");
    t分数の無限大 = t分数の1;
    t分数の無限大.t分母 = T整数型();
    t分数の無限大.b既約確認済 = false;
    t単位数のマイナス1 = PlainNumber(*this, u"-1");
    t単位数の10 = PlainNumber(*this, u"10");
    i結果表示モード = DEC_CMD;
}
