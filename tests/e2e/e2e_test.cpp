// Whole-line cases. Every *.txt file in the table directory (CMakeLists.txt aside) is one
// topic, run as one test: each case line is evaluated through the evaluation interface the
// front ends use (which calls ClsParser::yygo), and the result text, the error message,
// both error ranges and, where given, the text the commands wrote for the result pane are
// compared.
//
// Table format
// ------------
// A table consists of blocks. A block starts with a line "=== title" and is one session
// (a title ending in "[digits N]" evaluates its lines with the digit goal N, which ends
// an expansion that never ends by itself at N digits after the point, with "..."):
// one evaluation session, so variables and the display mode carry over from line to line of a
// block and never into the next block. Lines whose first character is "#" are comments;
// blank lines are skipped. A case is one line of fields separated by one or more tabs:
//
//   template  input  result  message  main  subst  [pane]
//
//   template  the template pane's text, "-" for none. Without a template the input line is
//             the main text and the substitution text is empty; with one, the template is
//             the main text and the input line is the substitution text for "@".
//   input     the line typed into the input pane ("-" for an empty line)
//   result    the result text, "-" for empty
//   message   the error message, "-" for none
//   main      the range reported in the main text: "pos,len" in UTF-16 code units, "-" for
//             none (-1,0), "all" for the whole main text including its line feed
//   subst     the range reported in the substitution text, written the same way ("all":
//             the whole substitution text)
//   pane      optional: the result pane's text after the line (it is cleared before each
//             line): the exact text, "~text" for a text it must contain, "-" for empty
//
// Escapes in text fields: \t tab, \r carriage return, \n line feed, \s blank, \\ backslash,
// \uXXXX one UTF-16 code unit, \- hyphen (a field that is just "-" means empty), \~ tilde,
// \{N:text} the text repeated N times.
//
// Built with TAVELKO_E2E_ENGLISH, the same tables run with the texts in English (the
// program sets the language up before the tests): results, messages and ranges are the
// same, every message has a translation that keeps its argument, and a pane the table
// gives in Japanese holds Japanese only in unit spellings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "commands/evaluator.h"
#include "common/utf.h"
#ifdef TAVELKO_E2E_ENGLISH
#include "english_check.h"
#endif

#ifndef TAVELKO_E2E_DIR
#error "TAVELKO_E2E_DIR must name the directory of the tables"
#endif

namespace {

namespace fs = std::filesystem;

struct ExpectedRange {
    bool whole = false;  // the whole text the range belongs to
    int32_t pos = -1;
    int32_t len = 0;
};

struct ExpectedPane {
    bool contains = false;
    std::u16string text;
};

struct Case {
    int line = 0;
    std::u16string templ, input, result, message;
    ExpectedRange main, subst;
    std::optional<ExpectedPane> pane;
};

struct Block {
    int line = 0;
    std::string title;
    std::vector<Case> cases;
    int64_t digits = 0;  // the digit goal of every line, 0 for none
};

// A table line that does not follow the format.
struct FormatError {
    int line;
    std::string what;
};

int32_t ParseInt(std::string_view s, int line, const char* what) {
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        throw FormatError{line, std::string(what) + " is not a number: " + std::string(s)};
    return v;
}

std::u16string Decode(std::string_view s, int line) {
    std::u16string out;
    std::string literal;
    auto flush = [&] {
        out += Utf8ToUtf16(literal);
        literal.clear();
    };
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            literal += s[i];
            continue;
        }
        if (i + 1 >= s.size()) throw FormatError{line, "a backslash ends a field"};
        flush();
        const char e = s[++i];
        switch (e) {
            case 't':
                out += u'\t';
                break;
            case 'r':
                out += u'\r';
                break;
            case 'n':
                out += u'\n';
                break;
            case 's':
                out += u' ';
                break;
            case '\\':
                out += u'\\';
                break;
            case '-':
                out += u'-';
                break;
            case '~':
                out += u'~';
                break;
            case 'u': {
                if (i + 4 >= s.size()) throw FormatError{line, "\\u needs four hex digits"};
                uint32_t v = 0;
                const auto [end, ec] = std::from_chars(s.data() + i + 1, s.data() + i + 5, v, 16);
                if (ec != std::errc() || end != s.data() + i + 5)
                    throw FormatError{line, "\\u needs four hex digits"};
                out += static_cast<char16_t>(v);
                i += 4;
                break;
            }
            case '{': {
                const size_t colon = s.find(':', i + 1);
                const size_t close = s.find('}', i + 1);
                if (colon == std::string_view::npos || close == std::string_view::npos ||
                    colon > close)
                    throw FormatError{line, "a repetition is written \\{N:text}"};
                const int32_t n =
                    ParseInt(s.substr(i + 1, colon - i - 1), line, "a repetition count");
                const std::u16string piece = Decode(s.substr(colon + 1, close - colon - 1), line);
                for (int32_t k = 0; k < n; ++k) out += piece;
                i = close;
                break;
            }
            default:
                throw FormatError{line, std::string("unknown escape \\") + e};
        }
    }
    flush();
    return out;
}

std::u16string TextField(std::string_view s, int line) {
    return s == "-" ? u"" : Decode(s, line);
}

ExpectedRange RangeField(std::string_view s, int line) {
    if (s == "-") return {};
    if (s == "all") return {true, 0, 0};
    const size_t comma = s.find(',');
    if (comma == std::string_view::npos) throw FormatError{line, "a range is pos,len or - or all"};
    return {false, ParseInt(s.substr(0, comma), line, "a range start"),
            ParseInt(s.substr(comma + 1), line, "a range length")};
}

ExpectedPane PaneField(std::string_view s, int line) {
    if (s == "-") return {};
    if (s.starts_with("~")) return {true, Decode(s.substr(1), line)};
    return {false, Decode(s, line)};
}

std::vector<Block> ReadTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormatError{0, "cannot open the table"};
    std::vector<Block> blocks;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        if (text.starts_with("===")) {
            const size_t start = text.find_first_not_of(" =");
            blocks.push_back({line, start == std::string::npos ? "" : text.substr(start), {}, 0});
            const size_t goal = blocks.back().title.rfind("[digits ");
            if (goal != std::string::npos)
                blocks.back().digits = std::stoll(blocks.back().title.substr(goal + 8));
            continue;
        }
        if (text.find_first_not_of(" \t") == std::string::npos) continue;
        if (blocks.empty()) throw FormatError{line, "a case before the first \"===\" block line"};
        std::vector<std::string_view> f;
        const std::string_view v(text);
        for (size_t i = 0; i < v.size();) {
            const size_t end = std::min(v.find('\t', i), v.size());
            if (end > i) f.push_back(v.substr(i, end - i));
            i = end + 1;
        }
        if (f.size() != 6 && f.size() != 7)
            throw FormatError{line, "a case has 6 or 7 tab-separated fields, this one has " +
                                        std::to_string(f.size())};
        Case c;
        c.line = line;
        c.templ = TextField(f[0], line);
        c.input = TextField(f[1], line);
        c.result = TextField(f[2], line);
        c.message = TextField(f[3], line);
        c.main = RangeField(f[4], line);
        c.subst = RangeField(f[5], line);
        if (f.size() == 7) c.pane = PaneField(f[6], line);
        blocks.back().cases.push_back(std::move(c));
    }
    return blocks;
}

// A text for the failure report: UTF-8, control characters visible, long texts cut.
std::string Show(const std::u16string& s) {
    constexpr size_t kMax = 160;
    std::u16string shown;
    for (size_t i = 0; i < s.size() && i < kMax; ++i) {
        switch (s[i]) {
            case u'\t':
                shown += u"\\t";
                break;
            case u'\r':
                shown += u"\\r";
                break;
            case u'\n':
                shown += u"\\n";
                break;
            default:
                shown += s[i];
        }
    }
    std::string out = "\"" + Utf16ToUtf8(shown) + "\"";
    if (s.size() > kMax) out += "... (" + std::to_string(s.size()) + " code units)";
    return out;
}

std::string ShowRange(int32_t pos, int32_t len) {
    return "[" + std::to_string(pos) + "," + std::to_string(len) + "]";
}

void RunBlock(const std::string& path, const Block& block) {
    T評価器 evaluator;
    for (const Case& c : block.cases) {
        // With a template, the template is the main text and the input line its
        // substitution text.
        const bool templated = !c.templ.empty();
        const std::u16string main = (templated ? c.templ : c.input) + u"\n";
        const std::u16string subst = templated ? c.input : u"";
        const T評価結果型 r = evaluator.f評価(c.input, {c.templ, block.digits, false});
        const std::u16string &result = r.s結果, &message = r.sエラー;
        const int32_t pos = r.l主位置, len = r.l主長さ, spos = r.l置換位置, slen = r.l置換長さ;
        std::ostringstream diff;
        if (r.b例外) {
            diff << "\n  exception: " << Show(r.sエラー);
        } else {
            if (result != c.result)
                diff << "\n  result:  expected " << Show(c.result) << ", got " << Show(result);
            if (message != c.message)
                diff << "\n  message: expected " << Show(c.message) << ", got " << Show(message);
#ifdef TAVELKO_E2E_ENGLISH
            if (const std::string fault = TranslationFault(message); !fault.empty())
                diff << "\n  english: " << Show(f訳(message)) << " " << fault;
#endif
            const int32_t mainLen = static_cast<int32_t>(main.size());
            const int32_t substLen = static_cast<int32_t>(subst.size());
            const int32_t ePos = c.main.whole ? 0 : c.main.pos;
            const int32_t eLen = c.main.whole ? mainLen : c.main.len;
            if (pos != ePos || len != eLen)
                diff << "\n  main:    expected " << ShowRange(ePos, eLen) << ", got "
                     << ShowRange(pos, len);
            const int32_t eSPos = c.subst.whole ? 0 : c.subst.pos;
            const int32_t eSLen = c.subst.whole ? substLen : c.subst.len;
            if (spos != eSPos || slen != eSLen)
                diff << "\n  subst:   expected " << ShowRange(eSPos, eSLen) << ", got "
                     << ShowRange(spos, slen);
#ifdef TAVELKO_E2E_ENGLISH
            if (c.pane && HasJapanese(c.pane->text)) {
                if (!JapaneseOutsideBrackets(r.s出力).empty())
                    diff << "\n  pane:    untranslated " << Show(JapaneseOutsideBrackets(r.s出力));
            } else
#endif
                if (c.pane) {
                const bool ok = c.pane->contains
                                    ? r.s出力.find(c.pane->text) != std::u16string::npos
                                    : r.s出力 == c.pane->text;
                if (!ok)
                    diff << "\n  pane:    expected " << (c.pane->contains ? "to contain " : "")
                         << Show(c.pane->text) << ", got " << Show(r.s出力);
            }
        }
        if (!diff.str().empty()) {
            ADD_FAILURE_AT(path.c_str(), c.line)
                << "block \"" << block.title << "\", input " << Show(c.input)
                << (templated ? ", template " + Show(c.templ) : std::string()) << diff.str()
                << "\n  (got result " << Show(result) << ", message " << Show(message) << ", main "
                << ShowRange(pos, len) << ", subst " << ShowRange(spos, slen) << ")";
        }
    }
}

std::vector<std::string> TableFiles() {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(TAVELKO_E2E_DIR, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".txt" &&
            entry.path().filename() != "CMakeLists.txt")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string TableName(const std::string& path) {
    std::string name = fs::path(path).stem().string();
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

class E2ETable : public ::testing::TestWithParam<std::string> {};

TEST_P(E2ETable, Lines) {
    const std::string& path = GetParam();
    std::vector<Block> blocks;
    try {
        blocks = ReadTable(path);
    } catch (const FormatError& e) {
        ADD_FAILURE_AT(path.c_str(), e.line) << "table format: " << e.what;
        return;
    }
    size_t cases = 0;
    for (const Block& b : blocks) {
        EXPECT_FALSE(b.cases.empty()) << path << ":" << b.line << ": block without a case";
        cases += b.cases.size();
    }
    ASSERT_GT(cases, 0u) << path << " holds no case";
    for (const Block& b : blocks) RunBlock(path, b);
}

INSTANTIATE_TEST_SUITE_P(Tables, E2ETable, ::testing::ValuesIn(TableFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return TableName(info.param);
                         });

TEST(E2ETables, ArePresent) {
    EXPECT_FALSE(TableFiles().empty()) << "no table in " << TAVELKO_E2E_DIR;
}

}  // namespace
