#include "ui/history.h"

#include <algorithm>

void ClsHistory::Clear() { l履歴テーブルインデックス = 0; }

void ClsHistory::f履歴追加(const std::u16string& sデータ) {
    s履歴テーブル[l履歴テーブルインデックス] = sデータ;
    l履歴テーブルインデックス = f巡回(l履歴テーブルインデックス, 1);
    l履歴テーブル巡回インデックス = l履歴テーブルインデックス;
    // Keeps the separator: when the ring was full the oldest entry goes here.
    s履歴テーブル[l履歴テーブルインデックス].clear();
}

void ClsHistory::f履歴位置巻戻() { l履歴テーブル巡回インデックス = l履歴テーブルインデックス; }

std::u16string ClsHistory::f前履歴取得() {
    const int32_t k = f巡回(l履歴テーブル巡回インデックス, -1);
    if (s履歴テーブル[k].empty()) return {};
    l履歴テーブル巡回インデックス = k;
    return s履歴テーブル[k];
}

std::u16string ClsHistory::f次履歴取得() {
    if (s履歴テーブル[l履歴テーブル巡回インデックス].empty()) return {};
    const int32_t k = f巡回(l履歴テーブル巡回インデックス, 1);
    if (s履歴テーブル[k].empty()) return {};
    l履歴テーブル巡回インデックス = k;
    return s履歴テーブル[k];
}

std::vector<std::u16string> ClsHistory::f一覧() const {
    std::vector<std::u16string> v;
    int32_t k = f巡回(l履歴テーブルインデックス, -1);
    // Twenty steps back cover every slot but the insert position.
    while (!s履歴テーブル[k].empty() && std::ssize(v) < D最大履歴数) {
        v.push_back(s履歴テーブル[k]);
        k = f巡回(k, -1);
    }
    std::reverse(v.begin(), v.end());
    return v;
}
