#include "commands/help_format.h"

#include "common/exception.h"
#include "common/i18n.h"

namespace {

constexpr char16_t RCFES_ヘルプ文字列不正[] = u"駄目だこりゃ! ヘルプ文字列が不正";
constexpr char16_t RCFES_ヘルプ文字列不正2[] = u"駄目だこりゃ! ヘルプ文字列が不正 その2";
constexpr char16_t kLineBreak[] = u"\r\n";
constexpr char16_t kJoin[] = u"  .....  ";
constexpr char16_t kIndent = u'\u3000';  // one ideographic space per level
// In a translation, two blanks per level: as wide as the ideographic space, so the lines
// start in the same columns in every language.
constexpr char16_t kBlank = u' ';
constexpr char16_t kListMark = u'\u3001';  // "、", between the words of a list
constexpr char16_t kListMarkTranslated[] = u", ";

enum class State { Level, Opening, Entry };

// An entry's text in the user's language: the whole text, or else, for a list of words
// ("仕事、熱量", a dimension's heading), each word; unit spellings have no translation.
std::u16string f項目訳(const std::u16string& vs) {
    std::u16string whole = f訳(vs);
    if (whole != vs || vs.find(kListMark) == std::u16string::npos) return whole;
    std::u16string out;
    size_t from = 0;
    for (size_t p; (p = vs.find(kListMark, from)) != std::u16string::npos; from = p + 1) {
        out += f訳(vs.substr(from, p - from)) + kListMarkTranslated;
    }
    return out + f訳(vs.substr(from));
}

}  // namespace

std::u16string fヘルプ文字列整形(const std::u16string& vs) {
    const bool bTranslated = f訳文使用();
    std::u16string out, entry;
    State state = State::Level;
    char16_t previousSeparator = 0;
    char16_t open = 0, close = 0;  // the brackets of the current entry
    int depth = 0;
    bool bEscape = false;
    for (char16_t c : vs) {
        switch (state) {
            case State::Level:
                if (c >= u'0' && c <= u'9') {
                    if (previousSeparator != u'-') {
                        const auto level = static_cast<size_t>(c - u'0');
                        out += bTranslated ? std::u16string(2 * level, kBlank)
                                           : std::u16string(level, kIndent);
                    }
                    state = State::Opening;
                } else if (c == u'+') {
                    out += kLineBreak;
                } else if (c == u'-') {
                    if (out.ends_with(kLineBreak)) out.resize(out.size() - 2);
                    out += kJoin;
                } else {
                    throw E一般例外(RCFES_ヘルプ文字列不正);
                }
                previousSeparator = c;
                break;
            case State::Opening:
                if (c != u'(' && c != u'[') throw E一般例外(RCFES_ヘルプ文字列不正2);
                open = c;
                close = c == u'(' ? u')' : u']';
                depth = 0;
                bEscape = false;
                entry.clear();
                state = State::Entry;
                break;
            case State::Entry:
                if (bEscape) {
                    entry.push_back(c);
                    bEscape = false;
                } else if (c == u'\\') {
                    bEscape = true;
                } else if (c == close && depth == 0) {
                    out += bTranslated ? f項目訳(entry) : entry;
                    out += kLineBreak;
                    state = State::Level;
                } else {
                    if (c == close) --depth;
                    if (c == open) ++depth;
                    entry.push_back(c);
                }
                break;
        }
    }
    if (state == State::Entry) out += entry;  // an entry the text does not close
    return out;
}
