#include "commands/help_format.h"

#include "common/exception.h"

namespace {

constexpr char16_t RCFES_ヘルプ文字列不正[] = u"駄目だこりゃ! ヘルプ文字列が不正";
constexpr char16_t RCFES_ヘルプ文字列不正2[] = u"駄目だこりゃ! ヘルプ文字列が不正 その2";
constexpr char16_t kLineBreak[] = u"\r\n";
constexpr char16_t kJoin[] = u"  .....  ";
constexpr char16_t kIndent = u'\u3000';  // one ideographic space per level

enum class State { Level, Opening, Entry };

}  // namespace

std::u16string fヘルプ文字列整形(const std::u16string& vs) {
    std::u16string out;
    State state = State::Level;
    char16_t previousSeparator = 0;
    char16_t open = 0, close = 0;  // the brackets of the current entry
    int depth = 0;
    bool bEscape = false;
    for (char16_t c : vs) {
        switch (state) {
            case State::Level:
                if (c >= u'0' && c <= u'9') {
                    if (previousSeparator != u'-') out.append(static_cast<size_t>(c - u'0'), kIndent);
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
                state = State::Entry;
                break;
            case State::Entry:
                if (bEscape) {
                    out.push_back(c);
                    bEscape = false;
                } else if (c == u'\\') {
                    bEscape = true;
                } else if (c == close && depth == 0) {
                    out += kLineBreak;
                    state = State::Level;
                } else {
                    if (c == close) --depth;
                    if (c == open) ++depth;
                    out.push_back(c);
                }
                break;
        }
    }
    return out;
}
