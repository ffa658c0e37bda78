#include "common/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>
#include <unordered_map>

#include "common/exception.h"

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// A compiled pattern with match data sized for it.
struct Compiled {
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> data;
};

// Compiles the pattern, or throws with PCRE2's message.
Compiled Compile(const std::u16string& pattern) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
    if (code == nullptr) {
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(error, buffer, 256);
        throw E一般例外(u"駄目だこりゃ! 正規表現の構文エラー: " +
                        std::u16string(reinterpret_cast<const char16_t*>(buffer)));
    }
    Compiled c;
    c.code.reset(code);
    c.data.reset(pcre2_match_data_create_from_pattern(code, nullptr));
    return c;
}

}  // namespace

bool TRegEx::IsMatch(const std::u16string& input, const std::u16string& pattern) {
    static std::unordered_map<std::u16string, Compiled> cache;
    auto it = cache.find(pattern);
    if (it == cache.end()) it = cache.emplace(pattern, Compile(pattern)).first;
    const int rc = pcre2_match(it->second.code.get(), reinterpret_cast<PCRE2_SPTR>(input.data()),
                               input.size(), 0, 0, it->second.data.get(), nullptr);
    return rc >= 0;
}
