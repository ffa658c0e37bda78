// The variable table: values stored under names by assignments, kept for the life of
// the parser. Names compare exactly (case-sensitive); a name occurs once.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/units/unit_number.h"

// One variable: name, the token kind it was created with, the value, the older entry.
struct TSymレコード {
    std::u16string sシンボル名;
    int32_t lyy型 = 0;
    T単位数型 t値;
    int32_t l次インデックス = 0;  // 0 ends the chain
};

class ClsSymTab {
public:
    // Releases all entries.
    void Clear();
    // Stores a copy of the value; a new name gets a new entry of the given kind.
    void fSym値設定(const std::u16string& vsシンボル名, int32_t vlyy型, const T単位数型& vt値);
    // A copy of the stored value; false (value untouched) for an unknown name.
    bool fSym値取得(const std::u16string& vsシンボル名, T単位数型& vt値) const;
    // Number of variables.
    int32_t Count() const { return lシンボルテーブル数; }
    // Changes with every store and clear, so that a copy of the table knows it is stale.
    uint64_t f世代() const { return l世代; }
    // The entries, oldest first (the order fSym値設定 created them in); valid until the
    // table changes.
    std::span<const TSymレコード> f一覧() const {
        if (tシンボルテーブル.empty()) return {};
        return std::span<const TSymレコード>(tシンボルテーブル).subspan(1);
    }

private:
    // Index of the entry with that name, newest first; 0 when none.
    int32_t fID取得(const std::u16string& vsシンボル名) const;
    // Appends an entry and returns its index.
    int32_t fシンボル値追加(const std::u16string& vsシンボル名, int32_t vlyy型, const T単位数型& vt値);

    std::vector<TSymレコード> tシンボルテーブル;  // index 0 is only the null link
    int32_t lシンボルテーブル数 = 0;
    uint64_t l世代 = 0;
};
