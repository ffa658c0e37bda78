// The input history as the window uses it: sequences of additions, rewinds and clears,
// each followed by the entries that browsing returns, and the listing that is saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/history.h"

namespace {

// One step of a script: "+text" adds text ("+" alone adds an empty entry), "<" fetches
// the previous entry, ">" the next one, "R" rewinds, "C" clears.
struct THistoryCase {
    const char* name;
    std::vector<std::u16string> steps;
    // What each "<" and ">" returns, in order ("" for nothing).
    std::vector<std::u16string> fetched;
};

// Runs the steps on the history and collects what the fetches returned.
std::vector<std::u16string> fRun(const std::vector<std::u16string>& steps, ClsHistory& h) {
    std::vector<std::u16string> out;
    for (const std::u16string& s : steps) {
        if (s == u"<") out.push_back(h.f前履歴取得());
        else if (s == u">") out.push_back(h.f次履歴取得());
        else if (s == u"R") h.f履歴位置巻戻();
        else if (s == u"C") h.Clear();
        else h.f履歴追加(s.substr(1));
    }
    return out;
}

// Runs the steps on a fresh history.
std::vector<std::u16string> fRun(const std::vector<std::u16string>& steps) {
    ClsHistory h;
    return fRun(steps, h);
}

// Steps adding "e1" … "en", then the steps given, and "<" fetches times.
std::vector<std::u16string> fAddMany(int n, int fetches, std::vector<std::u16string> then = {}) {
    std::vector<std::u16string> steps;
    for (int i = 1; i <= n; ++i) {
        std::string s = "+e" + std::to_string(i);
        steps.emplace_back(s.begin(), s.end());
    }
    steps.insert(steps.end(), then.begin(), then.end());
    steps.insert(steps.end(), fetches, u"<");
    return steps;
}

// "e{last}", "e{last-1}", … count entries, then "".
std::vector<std::u16string> fNewestFirst(int last, int count) {
    std::vector<std::u16string> out;
    for (int i = last; i > last - count; --i) {
        std::string s = "e" + std::to_string(i);
        out.emplace_back(s.begin(), s.end());
    }
    out.emplace_back();
    return out;
}

const THistoryCase kCases[] = {
    {"FreshHistoryIsEmptyBothWays", {u"<", u">"}, {u"", u""}},
    {"BackToOldestThenForwardToNewest",
     {u"+a", u"+b", u"+c", u"<", u"<", u"<", u"<", u">", u">", u">"},
     {u"c", u"b", u"a", u"", u"b", u"c", u""}},
    {"StaysOnOldestAfterRunningOut", {u"+a", u"+b", u"<", u"<", u"<", u"<", u">"}, {u"b", u"a", u"", u"", u"b"}},
    {"NextRightAfterAddingIsEmpty", {u"+a", u">", u"<"}, {u"", u"a"}},
    {"EmptyEntryStopsBrowsing", {u"+a", u"+", u"+b", u"<", u"<", u"<"}, {u"b", u"", u""}},
    {"RewindReturnsToNewest", {u"+a", u"+b", u"<", u"<", u"R", u"<"}, {u"b", u"a", u"b"}},
    {"RewindWithoutBrowsingChangesNothing", {u"+a", u"R", u"<", u"<"}, {u"a", u""}},
    {"DuplicatesAreKept", {u"+a", u"+a", u"<", u"<", u"<"}, {u"a", u"a", u""}},
    {"ClearKeepsStoredTexts", {u"+a", u"+b", u"+c", u"C", u"<", u"<", u"<", u"<"}, {u"c", u"b", u"a", u""}},
    {"AddAfterClearOverwritesSlotZero", {u"+a", u"+b", u"+c", u"C", u"+x", u"<", u"<"}, {u"x", u""}},
    {"AddingResetsTheBrowsePosition", {u"+a", u"+b", u"<", u"<", u"+c", u"<", u"<"}, {u"b", u"a", u"c", u"b"}},
    {"TwentyOfTwentyFiveAreReachable", fAddMany(25, 21), fNewestFirst(25, 20)},
    {"ExactlyTwentyAreReachable", fAddMany(20, 21), fNewestFirst(20, 20)},
    {"TwentyOneDropsTheOldest", fAddMany(21, 21), fNewestFirst(21, 20)},
    {"ClearOnAFullRingKeepsOldTextsBeforeTheNew", fAddMany(25, 3, {u"C", u"+x"}), {u"x", u"e21", u"e20"}},
    {"ForwardAfterWrapStopsAtNewest",
     {u"+a", u"+b", u"+c", u"+d", u"+e", u"+f", u"+g", u"+h", u"+i", u"+j", u"+k", u"+l", u"+m", u"+n", u"+o",
      u"+p", u"+q", u"+r", u"+s", u"+t", u"+u", u"+v", u"<", u"<", u"<", u">", u">", u">"},
     {u"v", u"u", u"t", u"u", u"v", u""}},
};

class HistoryTable : public testing::TestWithParam<THistoryCase> {};

TEST_P(HistoryTable, FetchesMatch) {
    EXPECT_EQ(fRun(GetParam().steps), GetParam().fetched);
}

// The listing, added to a fresh history, browses back from the newest as the original.
TEST_P(HistoryTable, ListingRebuildsTheSameBrowsing) {
    ClsHistory original, rebuilt;
    fRun(GetParam().steps, original);
    for (const std::u16string& s : original.f一覧()) rebuilt.f履歴追加(s);
    const std::vector<std::u16string> back(ClsHistory::D準備履歴数, u"<");
    original.f履歴位置巻戻();
    EXPECT_EQ(fRun(back, rebuilt), fRun(back, original));
}

INSTANTIATE_TEST_SUITE_P(Cases, HistoryTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<THistoryCase>& info) { return info.param.name; });

}  // namespace
