#include "engine/brelvita.h"

ClsBrelvita::ClsBrelvita() {
    b単位数文字列変換中フラグ = false;
    bキャンセル指示フラグ = false;
    t分数の0 = f分数変換(u"0");
    t分数の1 = f分数変換(u"1");
    t分数の無限大 = t分数の1;
    t分数の無限大.s分母 = u"0";
}
