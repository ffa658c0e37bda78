#include "common/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>
#include <optional>
#include <unordered_map>

#include "common/exception.h"
#include "common/shared_library.h"

namespace {

// The PCRE2 functions used here, from the library opened on the first match (most lines
// never need a pattern).
struct TPcre2 {
    decltype(&pcre2_compile) compile;
    decltype(&pcre2_code_free) code_free;
    decltype(&pcre2_get_error_message) get_error_message;
    decltype(&pcre2_match_data_create_from_pattern) match_data_create_from_pattern;
    decltype(&pcre2_match_data_free) match_data_free;
    decltype(&pcre2_match) match;
};

// The library, opened once; throws when it or a function is missing.
const TPcre2& Pcre2() {
    static const std::optional<TPcre2> lib = []() -> std::optional<TPcre2> {
        std::string reason;
        void* h = f共有ライブラリ読込("libpcre2-16.so.0", reason);
        TPcre2 l{};
        if (h != nullptr && f関数解決(h, "pcre2_compile_16", l.compile) && f関数解決(h, "pcre2_code_free_16", l.code_free) &&
            f関数解決(h, "pcre2_get_error_message_16", l.get_error_message) &&
            f関数解決(h, "pcre2_match_data_create_from_pattern_16", l.match_data_create_from_pattern) &&
            f関数解決(h, "pcre2_match_data_free_16", l.match_data_free) && f関数解決(h, "pcre2_match_16", l.match))
            return l;
        return std::nullopt;
    }();
    if (!lib) throw E一般例外(u"駄目だこりゃ! 正規表現ライブラリ (libpcre2-16.so.0) が使えないのよ～ん!");
    return *lib;
}

struct CodeDeleter {
    void operator()(pcre2_code* code) const { Pcre2().code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { Pcre2().match_data_free(data); }
};

// A compiled pattern with match data sized for it.
struct Compiled {
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> data;
};

// Compiles the pattern, or throws with PCRE2's message.
Compiled Compile(const std::u16string& pattern) {
    const TPcre2& pcre = Pcre2();
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre.compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                    PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
    if (code == nullptr) {
        PCRE2_UCHAR buffer[256];
        pcre.get_error_message(error, buffer, 256);
        throw E一般例外(u"駄目だこりゃ! 正規表現の構文エラー: " +
                        std::u16string(reinterpret_cast<const char16_t*>(buffer)));
    }
    Compiled c;
    c.code.reset(code);
    c.data.reset(pcre.match_data_create_from_pattern(code, nullptr));
    return c;
}

}  // namespace

bool TRegEx::IsMatch(const std::u16string& input, const std::u16string& pattern) {
    static std::unordered_map<std::u16string, Compiled> cache;
    auto it = cache.find(pattern);
    if (it == cache.end()) it = cache.emplace(pattern, Compile(pattern)).first;
    const int rc = Pcre2().match(it->second.code.get(), reinterpret_cast<PCRE2_SPTR>(input.data()),
                                 input.size(), 0, 0, it->second.data.get(), nullptr);
    return rc >= 0;
}
