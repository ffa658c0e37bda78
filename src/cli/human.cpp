#include "cli/human.h"

#include "common/i18n.h"

#include "cli/caret.h"
#include "common/utf.h"

namespace {

// Appends the line and the marker line beneath it.
void fキャレット追加(std::string& rs出力, const std::u16string& vs行, int32_t pos, int32_t len) {
    const Tキャレット行型 t = fキャレット行(vs行, pos, len);
    rs出力 += t.s行;
    rs出力 += '\n';
    rs出力 += t.s印;
    rs出力 += '\n';
}

// The message and the marked line. Without a template the substitution text is empty,
// so a range reported in it points at nothing and only the message is shown.
void fエラー追加(std::string& rs出力, const T評価結果型& r, const std::u16string& vs雛形) {
    rs出力 += Utf16ToUtf8(f訳(r.sエラー));
    rs出力 += '\n';
    if (r.l主位置 != -1) {
        fキャレット追加(rs出力, vs雛形.empty() ? r.s入力 : vs雛形, r.l主位置, r.l主長さ);
    } else if (r.l置換位置 != -1 && !vs雛形.empty()) {
        fキャレット追加(rs出力, r.s入力, r.l置換位置, r.l置換長さ);
    }
}

// Appends the pane text with each CR LF as LF, ending in one line feed.
void fペイン追加(std::string& rs出力, const std::u16string& vsペイン) {
    std::u16string s;
    s.reserve(vsペイン.size());
    for (size_t i = 0; i < vsペイン.size(); ++i) {
        if (vsペイン[i] == u'\r' && i + 1 < vsペイン.size() && vsペイン[i + 1] == u'\n') continue;
        s += vsペイン[i];
    }
    rs出力 += Utf16ToUtf8(s);
    if (!s.ends_with(u'\n')) rs出力 += '\n';
}

}  // namespace

void f表示出力追加(std::string& rs出力, const T評価結果型& vt結果, const std::u16string& vs雛形) {
    if (!vt結果.sエラー.empty()) {
        fエラー追加(rs出力, vt結果, vs雛形);
    } else if (!vt結果.s結果.empty() || vt結果.s出力.empty()) {
        rs出力 += Utf16ToUtf8(vt結果.s結果);
        rs出力 += '\n';
    } else {
        fペイン追加(rs出力, vt結果.s出力);
    }
}
