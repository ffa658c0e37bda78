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
    t単位数のマイナス1 = PlainNumber(*this, u"-1");
    t単位数の10 = PlainNumber(*this, u"10");
    i結果表示モード = DEC_CMD;
}
