// Whole sessions through the evaluation interface, as the front ends drive it.
//
// Input: UTF-8 text (malformed bytes read as U+FFFD), split into lines; at most
// kFuzz最大行数 lines are evaluated in one session, so variables and the display mode
// carry over. A first line "#template TEXT" makes TEXT the main text of every line, with
// the line as the substitution text for "@". Every line gets the same work budget and is
// cancelled once it is used up; expansions are cut after 16 digits.
//
// Invariants: the result, the message and the command output are well-formed UTF-16;
// both ranges lie inside their texts; a line either has a result or a message, not both;
// and after everything, the line "1+1" in the same session still gives "2".
#include "commands/evaluator.h"
#include "common/utf.h"
#include "fuzz_targets.h"
#include "harness.h"

namespace {

constexpr size_t kFuzz最大行数 = 16;
constexpr std::u16string_view kFuzz雛形印 = u"#template ";

// Evaluates one line and checks its outcome.
std::string f行評価(T評価器& e, const std::u16string& vs雛形, const std::u16string& vs行, T評価結果型& r) {
    // Cut expansions end after a few thousand cheap steps, within the budget.
    r = e.f評価(vs行, {vs雛形, 16, false});
    const size_t main = (vs雛形.empty() ? vs行 : vs雛形).size();
    const size_t subst = vs雛形.empty() ? 0 : vs行.size();
    if (!fUTF16整形式(r.s結果) || !fUTF16整形式(r.sエラー)) return "unpaired surrogate in the result or message";
    if (!fUTF16整形式(r.s出力)) return "unpaired surrogate in the command output";
    if (!r.s結果.empty() && !r.sエラー.empty()) return "both a result and a message";
    if (!f範囲妥当(r.l主位置, r.l主長さ, main + 1)) return "main range outside the main text";
    if (!f範囲妥当(r.l置換位置, r.l置換長さ, subst)) return "substitution range outside its text";
    return "";
}

}  // namespace

std::string fFuzzSession(const uint8_t* data, size_t size) {
    fFuzz上限設定();
    std::vector<std::u16string> lines =
        fFuzz行分割(Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size)));
    std::u16string sTemplate;
    if (!lines.empty() && lines[0].starts_with(kFuzz雛形印)) {
        sTemplate = lines[0].substr(kFuzz雛形印.size());
        lines.erase(lines.begin());
    }
    if (lines.size() > kFuzz最大行数) lines.resize(kFuzz最大行数);
    T評価器 e;
    TFuzz予算 budget(e);
    T評価結果型 r;
    for (const std::u16string& line : lines) {
        budget.f開始(sTemplate.size() + line.size());
        const std::string failure = f行評価(e, sTemplate, line, r);
        if (!failure.empty()) return failure + " (line \"" + fFuzz表示(line) + "\")";
    }
    budget.f開始(0);
    std::string failure = f行評価(e, u"", u"1+1", r);
    if (failure.empty() && (r.s結果 != u"2" || !r.sエラー.empty())) {
        failure = "1+1 gave \"" + fFuzz表示(r.s結果) + "\" / \"" + fFuzz表示(r.sエラー) + "\"";
    }
    return failure.empty() ? "" : "after the session: " + failure;
}
