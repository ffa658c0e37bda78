#include "parser/symtab.h"

void ClsSymTab::Clear() {
    tシンボルテーブル.clear();
    lシンボルテーブル数 = 0;
    ++l世代;
}

void ClsSymTab::fSym値設定(const std::u16string& vsシンボル名, int32_t vlyy型, const T単位数型& vt値) {
    ++l世代;
    const int32_t index = fID取得(vsシンボル名);
    if (index == 0) {
        fシンボル値追加(vsシンボル名, vlyy型, vt値);
    } else {
        tシンボルテーブル[index].t値 = vt値;
    }
}

bool ClsSymTab::fSym値取得(const std::u16string& vsシンボル名, T単位数型& vt値) const {
    const int32_t index = fID取得(vsシンボル名);
    if (index == 0) return false;
    vt値 = tシンボルテーブル[index].t値;
    return true;
}

int32_t ClsSymTab::fID取得(const std::u16string& vsシンボル名) const {
    for (int32_t i = lシンボルテーブル数; i != 0; i = tシンボルテーブル[i].l次インデックス) {
        if (tシンボルテーブル[i].sシンボル名 == vsシンボル名) return i;
    }
    return 0;
}

int32_t ClsSymTab::fシンボル値追加(const std::u16string& vsシンボル名, int32_t vlyy型,
                                 const T単位数型& vt値) {
    const int32_t index = lシンボルテーブル数 + 1;
    tシンボルテーブル.resize(static_cast<size_t>(index) + 1);
    tシンボルテーブル[index] = {vsシンボル名, vlyy型, vt値, lシンボルテーブル数};
    lシンボルテーブル数 = index;
    return index;
}
