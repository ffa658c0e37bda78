#include "cli/save_command.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "cli/abridge.h"
#include "common/i18n.h"
#include "common/utf.h"

namespace {

constexpr std::u16string_view k命令 = u"!save";
constexpr std::u16string_view k空白 = u" \t";

// vs without the blanks and tabs around it.
std::u16string_view f前後空白除去(std::u16string_view vs) {
    const size_t from = vs.find_first_not_of(k空白);
    if (from == std::u16string_view::npos) return {};
    return vs.substr(from, vs.find_last_not_of(k空白) + 1 - from);
}

// vs without one pair of like quotes around it.
std::u16string_view f引用符除去(std::u16string_view vs) {
    const bool b引用 =
        vs.size() >= 2 && (vs.front() == u'"' || vs.front() == u'\'') && vs.back() == vs.front();
    return b引用 ? vs.substr(1, vs.size() - 2) : vs;
}

// vs with a leading "~/" made the home folder, when HOME names one.
std::u16string f家展開(std::u16string_view vs) {
    const char* home = std::getenv("HOME");
    if (!vs.starts_with(u"~/") || home == nullptr || *home == '\0') return std::u16string(vs);
    return Utf8ToUtf16(home) + std::u16string(vs.substr(1));
}

// Writes the text to the file; 0, or the error number of the failure.
int fファイル書込(const std::string& sパス, const std::string& s内容) {
    const auto f理由 = [] { return errno != 0 ? errno : EIO; };
    errno = 0;
    FILE* f = std::fopen(sパス.c_str(), "wb");
    if (f == nullptr) return f理由();
    int err = std::fwrite(s内容.data(), 1, s内容.size(), f) == s内容.size() ? 0 : f理由();
    if (std::fclose(f) != 0 && err == 0) err = f理由();
    return err;
}

}  // namespace

std::optional<std::u16string> f保存先(const std::u16string& vs行) {
    const std::u16string_view s = f前後空白除去(vs行);
    if (!s.starts_with(k命令)) return std::nullopt;
    const std::u16string_view s残り = s.substr(k命令.size());
    if (!s残り.empty() && k空白.find(s残り.front()) == std::u16string_view::npos)
        return std::nullopt;
    return f家展開(f引用符除去(f前後空白除去(s残り)));
}

T保存報告型 f結果保存(const std::u16string& vs全文, const std::u16string& vsファイル) {
    if (vs全文.empty()) return {f訳(u"保存する結果がまだありません"), true};
    if (vsファイル.empty())
        return {f訳(u"保存先のファイル名がありません (!save ファイル名)"), true};
    const int err = fファイル書込(Utf16ToUtf8(vsファイル), Utf16ToUtf8(vs全文) + '\n');
    if (err != 0) {
        return {f訳差込(u"%1 に書き込めません: %2", {vsファイル, Utf8ToUtf16(std::strerror(err))}),
                true};
    }
    const std::u16string s数 = Utf8ToUtf16(std::to_string(f文字数(vs全文)));
    return {f訳差込(u"%1 文字を %2 に保存しました", {s数, vsファイル}), false};
}
