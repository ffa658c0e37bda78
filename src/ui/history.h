// The input history of one text pane: a ring of the last entries that the user steps
// back and forth through. One slot of the ring is always empty; it separates the newest
// entry from the oldest, so browsing never wraps round and at most 20 entries are
// reachable. An empty string is never returned as an entry.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ClsHistory {
public:
    static constexpr int32_t D最大履歴数 = 20;
    static constexpr int32_t D準備履歴数 = D最大履歴数 + 1;

    // Moves the insert position to slot 0; stored texts and the browse position stay.
    void Clear();
    // Stores s (duplicates and empty texts too) and puts the browse position after it.
    void f履歴追加(const std::u16string& sデータ);
    // Puts the browse position back after the newest entry.
    void f履歴位置巻戻();
    // The entry before the browse position (older), or empty when there is none.
    std::u16string f前履歴取得();
    // The entry after the browse position (newer), or empty when there is none.
    std::u16string f次履歴取得();
    // The entries browsing back from the newest reaches, oldest first: added in this
    // order to an empty history they browse the same from the newest.
    std::vector<std::u16string> f一覧() const;

private:
    // The slot index i steps away from k, round the ring.
    static int32_t f巡回(int32_t k, int32_t i) { return (k + i + D準備履歴数) % D準備履歴数; }

    std::array<std::u16string, D準備履歴数> s履歴テーブル{};
    int32_t l履歴テーブルインデックス = 0;        // the slot the next entry goes to
    int32_t l履歴テーブル巡回インデックス = 0;    // the slot last returned while browsing
};
