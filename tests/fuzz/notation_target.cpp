// The unit-notation entry points that take user text.
//
// Input: UTF-8 text (malformed bytes read as U+FFFD).
// - Text made only of digits, "." and "`" is a decimal number: it is cut to the shape the
//   lexer gives f単位数変換 (digits, a point and fraction digits, a cycle between "`"
//   marks after a fraction digit), the only texts that entry takes.
// - Any other text is a unit notation for f意味コ変換, which takes every text the lexer
//   cuts out as a unit: blanks and "]" removed, the rest as it is.
//
// Invariants: a decimal keeps its value with zeros put in front and, without a cycle, at
// the end, and with its cycle started one digit later. A notation that reads as a known
// dimension other than a plain number's has a shown notation (f単位表記変換) that reads
// back as the same dimension.
#include "common/exception.h"
#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/number/cancel.h"
#include "fuzz_targets.h"
#include "harness.h"

namespace {

// The engine every input of this target uses (it keeps no state between inputs).
ClsBrelvita& fFuzzエンジン() {
    static ClsBrelvita e;
    return e;
}

// The value of a decimal text and of the same value written otherwise.
std::string f小数検査(const std::u16string& s) {
    ClsBrelvita& e = fFuzzエンジン();
    const T複素数型 value = e.f単位数変換(s).t複素数;
    std::u16string same = u"00" + s;
    if (s.find(u'`') == std::u16string::npos) same += s.find(u'.') == std::u16string::npos ? u".0" : u"0";
    if (!fFuzz同値(e.f単位数変換(same).t複素数, value)) return "\"" + fFuzz表示(same) + "\" has another value";
    const std::u16string rotated = fFuzz循環回転(s);
    if (!rotated.empty() && !fFuzz同値(e.f単位数変換(rotated).t複素数, value)) {
        return "\"" + fFuzz表示(rotated) + "\" has another value";
    }
    return "";
}

// Reads a notation; a known dimension must keep its shown notation's dimension.
std::string f表記検査(const std::u16string& s) {
    ClsBrelvita& e = fFuzzエンジン();
    T意味コ配列型 dim, again;
    T単項表記配列型 terms, againTerms;
    std::u16string formula, shown;
    T保留補正式配列型 pending;
    e.f意味コ変換(s, dim, terms, formula, pending);
    // Only a dimension is shown: a plain number ("(" reads as one) keeps no notation.
    if (dim == f未知意味コ配列() || dim == f数値意味コ配列() || dim.size() <= 1) return "";
    try {
        e.f単位表記変換(dim, terms, shown, formula, pending);
    } catch (const Eキャンセル指示&) {
        throw;
    } catch (const E一般例外& x) {
        return "no shown notation: " + fFuzz表示(x.message());
    }
    e.f意味コ変換(shown, again, againTerms, formula, pending);
    if (f意味コ配列比較(again, dim) != 0) return "shown as \"" + fFuzz表示(shown) + "\", which reads as another dimension";
    return "";
}

}  // namespace

std::string fFuzzNotation(const uint8_t* data, size_t size) {
    fFuzz上限設定();
    const std::u16string text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
    // A notation may raise a unit's factor to a power of a million digits: past a fixed
    // budget of work the engine is asked to cancel, as a user would, and the input passes.
    ClsBrelvita& e = fFuzzエンジン();
    e.f単位付計算キャンセル指示クリア();
    TFuzz予算 budget(e);
    budget.f開始(text.size());
    std::string failure;
    try {
        if (!text.empty() && text.find_first_not_of(u"0123456789.`") == std::u16string::npos) {
            const std::u16string number = fFuzz数値形(text, true);
            if (!number.empty()) failure = f小数検査(number);
        } else {
            std::u16string notation;
            for (const char16_t c : text) {
                if (c != u' ' && c != u']') notation += c;
            }
            failure = f表記検査(notation);
        }
    } catch (const Eキャンセル指示&) {
        return "";
    }
    return failure.empty() ? "" : "\"" + fFuzz表示(text) + "\": " + failure;
}
