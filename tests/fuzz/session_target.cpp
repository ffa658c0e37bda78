// Whole sessions through the parser's evaluation entry, as the front ends drive it.
//
// Input: UTF-8 text (malformed bytes read as U+FFFD), split into lines; at most
// kFuzz最大行数 lines are evaluated in one session, so variables and the display mode
// carry over. A first line "#template TEXT" makes TEXT the main text of every line, with
// the line as the substitution text for "@". Every line gets the same work budget and is
// cancelled once it is used up.
//
// Invariants: the result, the message and the pane's text are well-formed UTF-16; both
// ranges lie inside their texts; a line either has a result or a message, not both; and
// after everything, the line "1+1" in the same session still gives "2".
#include <new>

#include "commands/result_pane.h"
#include "common/utf.h"
#include "fuzz_targets.h"
#include "harness.h"
#include "parser/parser.h"

namespace {

constexpr size_t kFuzz最大行数 = 16;
constexpr std::u16string_view kFuzz雛形印 = u"#template ";

// The result pane of a session: its text only; there is no input history to clear.
class TFuzzペイン : public T結果ペイン {
public:
    std::u16string sペイン;

protected:
    std::u16string f結果ペイン文字列() const override { return sペイン; }
    void f結果ペイン設定(const std::u16string& vs) override { sペイン = vs; }
    void f履歴クリア() override {}
};

struct T行結果 {
    std::u16string s結果, sエラー;
    int32_t l主位置 = -1, l主長さ = 0, l置換位置 = -1, l置換長さ = 0;
};

// Evaluates one line as the front ends do: the template (or the line) is the main text,
// and an exception out of the evaluation (an integer overflow, running out of memory)
// becomes the line's message without a range.
std::string f行評価(ClsParser& p, const std::u16string& vs雛形, const std::u16string& vs行, T行結果& r) {
    const std::u16string main = vs雛形.empty() ? vs行 : vs雛形;
    const std::u16string subst = vs雛形.empty() ? u"" : vs行;
    try {
        p.yygo(main + u"\n", r.s結果, r.sエラー, r.l主位置, r.l主長さ, subst, r.l置換位置, r.l置換長さ);
    } catch (const std::bad_alloc&) {
        r = T行結果{};
        r.sエラー = u"メモリ不足";
    } catch (const E一般例外& x) {
        r = T行結果{};
        r.sエラー = x.message();
    }
    if (!fUTF16整形式(r.s結果) || !fUTF16整形式(r.sエラー)) return "unpaired surrogate in the result or message";
    if (!r.s結果.empty() && !r.sエラー.empty()) return "both a result and a message";
    if (!f範囲妥当(r.l主位置, r.l主長さ, main.size() + 1)) return "main range outside the main text";
    if (!f範囲妥当(r.l置換位置, r.l置換長さ, subst.size())) return "substitution range outside its text";
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
    TFuzzペイン pane;
    ClsParser p(&pane);
    // Past this many fraction digits expansions go a digit per step, so that the budget
    // ends an endless expansion after a few thousand cheap steps.
    p.fBrelvita().i展開目標桁数 = 16;
    TFuzz予算 budget(p);
    T行結果 r;
    for (const std::u16string& line : lines) {
        pane.sペイン.clear();
        budget.f開始(sTemplate.size() + line.size());
        std::string failure = f行評価(p, sTemplate, line, r);
        if (failure.empty() && !fUTF16整形式(pane.sペイン)) failure = "unpaired surrogate in the pane";
        if (!failure.empty()) return failure + " (line \"" + fFuzz表示(line) + "\")";
    }
    budget.f開始(0);
    std::string failure = f行評価(p, u"", u"1+1", r);
    if (failure.empty() && (r.s結果 != u"2" || !r.sエラー.empty())) {
        failure = "1+1 gave \"" + fFuzz表示(r.s結果) + "\" / \"" + fFuzz表示(r.sエラー) + "\"";
    }
    return failure.empty() ? "" : "after the session: " + failure;
}
