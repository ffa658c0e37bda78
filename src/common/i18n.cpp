#include "common/i18n.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>

#include "common/shared_library.h"
#include "common/utf.h"

namespace {

constexpr char kDomain[] = "tavelko";
bool b有効 = false;  // a catalogue was bound: lookups are worth their cost

// Whether a locale variable that may choose a language is set and not empty.
bool f言語指定あり() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') return true;
    }
    return false;
}

// The translation of a UTF-8 id, or nullptr when the catalogue has none.
const char* f検索(const std::string& id) {
    const char* t = dgettext(kDomain, id.c_str());
    return t == id.c_str() ? nullptr : t;
}

// The language a variable names ("en_US.UTF-8" -> "en_US"), for LANGUAGE.
std::string f言語名(const char* v) {
    const std::string s(v);
    return s.substr(0, s.find_first_of(".@"));
}

// The first of LC_ALL, LC_MESSAGES and LANG that is set, as setlocale reads them.
const char* f選択変数() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') return v;
    }
    return nullptr;
}

}  // namespace

void f言語初期化() {
    if (!f言語指定あり()) return;
    std::setlocale(LC_CTYPE, "");
    if (std::setlocale(LC_MESSAGES, "") == nullptr) {
        // A locale that is not generated on this machine (LANG=en_US.UTF-8 without the
        // locales package): its language still chooses the texts, through LANGUAGE on
        // the C.UTF-8 locale, which gettext honours (it ignores LANGUAGE only under "C").
        const char* v = f選択変数();
        const char* language = std::getenv("LANGUAGE");
        if (v != nullptr && (language == nullptr || *language == '\0')) setenv("LANGUAGE", f言語名(v).c_str(), 1);
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    const std::string dir = f実行ファイル位置() + "../share/locale";
    bindtextdomain(kDomain, dir.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    b有効 = true;
}

std::u16string f訳(std::u16string_view vs文) {
    if (!b有効 || vs文.empty()) return std::u16string(vs文);
    const std::string whole = Utf16ToUtf8(vs文);
    if (const char* t = f検索(whole)) return Utf8ToUtf16(t);
    // "id: argument": the id with its separator is the message id.
    const size_t sep = vs文.find(u": ");
    if (sep != std::u16string_view::npos) {
        if (const char* t = f検索(Utf16ToUtf8(vs文.substr(0, sep + 2)))) {
            return Utf8ToUtf16(t) + std::u16string(vs文.substr(sep + 2));
        }
    }
    return std::u16string(vs文);
}

std::u16string f訳差込(std::u16string_view vs文,
                       std::initializer_list<std::u16string_view> vt引数) {
    const std::u16string s = f訳(vs文);
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t k = i + 1 < s.size() ? static_cast<size_t>(s[i + 1] - u'1') : vt引数.size();
        if (s[i] == u'%' && k < vt引数.size()) {
            out += vt引数.begin()[k];
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string f訳8(const char* vs文) {
    if (!b有効) return vs文;
    const char* t = f検索(vs文);
    return t != nullptr ? t : vs文;
}

bool f訳文使用() {
    if (!b有効) return false;
    // The catalogue's header is the translation of the empty id; without a catalogue for
    // the language, the id itself comes back.
    static const bool b使用 = *dgettext(kDomain, "") != '\0';
    return b使用;
}
