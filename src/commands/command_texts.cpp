#include "commands/command_texts.h"

#include "common/i18n.h"
#include "engine/brelvita.h"

std::u16string fリセット文字列() {
    return f訳(u"完了");
}

std::u16string f結果表示モード文字列(int32_t piCmd) {
    switch (piCmd) {
        case FRAC_CMD:
            return f訳(u"仮分数で計算結果を表示。");
        case MIXFRAC_CMD:
            return f訳(u"帯分数で計算結果を表示。");
        case DEC_CMD:
            return f訳(u"小数数で計算結果を表示。");
        default:
            return u"";
    }
}

std::u16string fバージョン行(const RMyVerInfo& r) {
    return r.msProductName + u" Version " + r.msProductVersion + u"\r\n";
}

std::u16string fバージョン固定文字列() {
    return f訳(u"本プログラムは単位変換機能と算術演算機能を持つユーティリティプログラムです。") +
           u"\r\n" + f訳(u"本プログラム動作による損害については何の責任も負いません。") +
           u"\r\n"
           u"MIT License\r\n"
           u"\r\n"
           u"Copyright (c) 2026 The Tavelko developers";
}
