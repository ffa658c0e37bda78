// Values with units: creation from decimal texts.
#include "engine/brelvita.h"

T単位数型 ClsBrelvita::f単位数変換(const std::u16string& vs小数) {
    T単位数型 v;
    try {
        v.t複素数 = f複素数変換(f浮動小数変換(f仮数変換(f分数変換(f小数正規化(vs小数)))));
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        T単位数型 cancelled;
        cancelled.t複素数.t浮動小数.t仮数.t底.s分子 = Dキャンセル印;
        return cancelled;
    }
    return v;
}
