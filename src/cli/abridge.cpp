#include "cli/abridge.h"

#include "common/i18n.h"
#include "common/utf.h"

namespace {

// Whether vs[i] begins a character, that is, is not the second half of a surrogate pair.
bool f文字頭(std::u16string_view vs, size_t i) {
    const auto b上位 = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto b下位 = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    return i == 0 || !b下位(vs[i]) || !b上位(vs[i - 1]);
}

// The index where character n (from 0) begins; the size when the text is shorter.
size_t f文字位置(std::u16string_view vs, size_t n) {
    for (size_t i = 0; i < vs.size(); ++i) {
        if (f文字頭(vs, i) && n-- == 0) return i;
    }
    return vs.size();
}

// The line that stands for n left-out characters; b循環印: a cycle mark was among them.
std::u16string f省略行(size_t n, bool b循環印) {
    const std::u16string s数 = Utf8ToUtf16(std::to_string(n));
    return b循環印 ? f訳差込(u"〔%1 文字省略(循環節の印 ` を含む)・!save ファイル名 で全文を保存〕",
                             {s数})
                   : f訳差込(u"〔%1 文字省略・!save ファイル名 で全文を保存〕", {s数});
}

}  // namespace

size_t f文字数(std::u16string_view vs) {
    size_t n = 0;
    for (size_t i = 0; i < vs.size(); ++i) n += f文字頭(vs, i) ? 1 : 0;
    return n;
}

std::u16string f端末向け短縮(const std::u16string& vs, size_t i上限) {
    const size_t n全 = f文字数(vs);
    if (n全 <= i上限) return vs;
    const size_t n片 = i上限 / 2;
    const size_t i中始 = f文字位置(vs, n片);
    const size_t i中終 = f文字位置(vs, n全 - n片);
    const bool b循環印 = vs.find(u'`', i中始) < i中終;
    return vs.substr(0, i中始) + u'\n' + f省略行(n全 - 2 * n片, b循環印) + u'\n' + vs.substr(i中終);
}
