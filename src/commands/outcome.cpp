#include "commands/outcome.h"

#include <utility>

T評価結果型 fメモリ不足結果(std::u16string vs入力) {
    T評価結果型 r;
    r.s入力 = std::move(vs入力);
    r.sエラー = kメモリ不足;
    r.b例外 = true;
    return r;
}
