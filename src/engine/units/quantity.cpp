// Values with units: creation from decimal texts.
#include "engine/brelvita.h"

T単位数型 ClsBrelvita::f単位数変換(const std::u16string& vs小数) {
    T単位数型 v;
    try {
        v.t複素数 = f複素数変換(f浮動小数変換(f仮数変換(f分数変換(f小数正規化(vs小数), fキャンセル検査()))));
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        return fキャンセル値作成();
    }
    return v;
}

T単位数型 fキャンセル値作成() {
    T単位数型 v;
    v.bキャンセル値 = true;
    return v;
}

bool fキャンセル印チェック(const T単位数型& vtチェック数1, const T単位数型& vtチェック数2) {
    return vtチェック数1.bキャンセル値 || vtチェック数2.bキャンセル値;
}

void f未知単位情報設定(T単位数型& rt単位数) {
    rt単位数.s単位表記 = D未知単位印;
    rt単位数.t意味コ配列 = f未知意味コ配列();
    rt単位数.t単項表記リスト.clear();
    rt単位数.t保留.clear();
    rt単位数.s基底値変換式.clear();
}
