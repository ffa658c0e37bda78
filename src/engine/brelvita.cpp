#include "engine/brelvita.h"

ClsBrelvita::ClsBrelvita() {
    b単位数文字列変換中フラグ = false;
    bキャンセル指示フラグ = false;
}
