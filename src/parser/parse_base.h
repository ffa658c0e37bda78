// The parser object's shared half: the evaluation entry yygo, the lexer with its input
// reader (which expands the template character "@"), error positions, the cancel
// request and the help text. ClsParser adds the grammar's parse driver.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/exception.h"
#include "engine/brelvita.h"
#include "parser/front_end.h"
#include "parser/input_fold.h"
#include "parser/symtab.h"

// The parser's value of every token and grammar symbol.
struct YYSTYPE {
    T単位数型 val;
    // Where a function name, a root sign or a unit stands (main text, or the substitution text),
    // so that an error of the call can point at it.
    int32_t l位置 = 0, l長さ = 0, l項書換位置 = -1, l項書換長さ = 0;
};

// Marks a number token without numeric value (a lone "$") in its iTag.
inline constexpr int32_t D数値無タグ = 1;

// The end of input as the input reader reports it.
inline constexpr int32_t D入力終端 = -1;

// Raised by the lexer after it reported an error: ends the parse with result 999.
class E字句エラー : public std::exception {};

// Aborts an evaluation with the message "スタックオーバーフロー".
class Eスタックオーバーフロー : public E一般例外 {
public:
    Eスタックオーバーフロー() : E一般例外(u"スタックオーバーフロー") {}
};

inline constexpr char16_t RCS_キャンセル印[] = u"...";
inline constexpr int32_t RCL_無効位置 = -1;

// Token codes of the grammar; single characters are their own code, 0 ends the input.
enum : int32_t {
    YYERRCODE = 256,
    HELP_CMD_TOKEN = 257,
    RESET_CMD_TOKEN = 258,
    UNKNOWN_CMD_TOKEN = 259,
    VERSION_CMD_TOKEN = 260,
    SOURCECODE_CMD_TOKEN = 261,
    FRAC_CMD_TOKEN = FRAC_CMD,  // the display modes are their commands' codes
    MIXFRAC_CMD_TOKEN = MIXFRAC_CMD,
    DEC_CMD_TOKEN = DEC_CMD,
    NUMBER_TOKEN = 265,
    BASENUMBER_TOKEN = 266,
    VARIABLE_TOKEN = 267,
    SUNIT_TOKEN = 268,
    SUBASENUM_TOKEN = 269,
    ASSIGN_OP_TOKEN = 270,
    NEG_TOKEN = 271,
    FUNC_TOKEN = 272,       // a name followed by "(": a function call
    ROOT_SIGN_TOKEN = 273,  // "√"
    // Returned for a character at or above U+0100: no rule accepts it.
    UNDEFINED_TOKEN = 0x10000,
};

class ClsParseBase {
public:
    static constexpr char16_t RCS_ラムダ項 = u'@';
    static constexpr int32_t YYMAXDEPTH = 200;
    static constexpr char16_t YYRETURNCHAR = u'\n';
    static constexpr char16_t YYTABCHAR = u'\t';
    static constexpr char16_t RCS_PARSER_STACK_OVERFLOW[] = u"パーサースタックオーバーフロー";
    static constexpr char16_t RCS_SYNTAX_ERROR[] = u"構文不正";
    static constexpr char16_t RCS_STACK_OVERFLOW[] = u"スタックオーバーフロー";

    // pFront receives the command actions; without one the commands show nothing.
    explicit ClsParseBase(I計算窓* pFront = nullptr);
    virtual ~ClsParseBase() = default;
    ClsParseBase(const ClsParseBase&) = delete;
    ClsParseBase& operator=(const ClsParseBase&) = delete;

    // Evaluates one line (ending in a line feed) in which every "@" stands for the
    // substitution text, both read as f入力折畳み folds them. Gives the result text or the
    // error message with the offending token's range in the typed main text or (main
    // start -1) in the typed substitution text.
    // Engine errors other than a cancellation reach the caller.
    void yygo(const std::u16string& vs入力式, std::u16string& rs結果, std::u16string& rsエラー,
              int32_t& rlエラートークン位置, int32_t& rlエラートークン長さ, const std::u16string& vs項書換,
              int32_t& rl項書換エラートークン位置, int32_t& rl項書換エラートークン長さ);
    // yygo in two halves, for a caller that starts a line on one thread and evaluates it
    // on another: withdrawing any cancel request (what yygo starts with), and the
    // evaluation itself, which keeps a cancel asked for in between.
    void f取消クリア();
    void f行評価(const std::u16string& vs入力式, std::u16string& rs結果, std::u16string& rsエラー,
                 int32_t& rlエラートークン位置, int32_t& rlエラートークン長さ, const std::u16string& vs項書換,
                 int32_t& rl項書換エラートークン位置, int32_t& rl項書換エラートークン長さ);
    // Asks the running evaluation to stop; any thread may call it.
    void yyキャンセル指示();
    // Whether a cancel was asked for since this evaluation started.
    bool f取消済() const { return bキャンセル指示フラグ; }
    // The grammar part of the help text, in the help mini-format.
    static std::u16string yyhelp();
    // Whether a rendering runs, and its halfway text followed by "...".
    bool f単位数文字列変換中() const { return Brelvita.f単位数文字列変換中(); }
    std::u16string f単位数文字列変換途中結果() const { return Brelvita.f単位数文字列変換途中結果(); }
    // Stores s as this evaluation's error message, replacing an earlier one.
    void yyerror(const std::u16string& s) { sエラーメッセージ_ = s; }
    // The same, pointing at the token whose positions the value carries.
    void yyerror(const std::u16string& s, const YYSTYPE& vtトークン) {
        sエラーメッセージ_ = s;
        t指定範囲_ = vtトークン;
        b範囲指定_ = true;
    }

    // The front end the command actions write to (may be changed between evaluations).
    void f計算窓設定(I計算窓* pFront) { pFront_ = pFront; }
    I計算窓* f計算窓() const { return pFront_; }
    ClsSymTab& fSymTab() { return SymTab; }
    ClsBrelvita& fBrelvita() { return Brelvita; }
    const ClsBrelvita& fBrelvita() const { return Brelvita; }

    // The lexer: next token code; sets yylval and the token positions.
    int32_t yylex();
    YYSTYPE yylval;
    std::u16string s結果;
    // The value stack once a parse outgrows its short initial stack.
    std::vector<YYSTYPE> yyastk;
    // This evaluation's error message so far.
    const std::u16string& sエラーメッセージ() const { return sエラーメッセージ_; }

protected:
    // The parse driver of the grammar: 0 accepted, 1 syntax error, 2 stack full,
    // 999 an action's error.
    virtual int32_t yyparse() = 0;

    ClsSymTab SymTab;
    ClsBrelvita Brelvita;
    std::atomic<bool> bキャンセル指示フラグ{false};  // stops the reading; set from any thread

private:
    // Input reader: the next code unit, or D入力終端 at the end; expands "@" of the main
    // text into the substitution text.
    int32_t CB_getchar();
    // Puts back the character just read in front of the text it came from.
    void CB_ungetc(int32_t c);
    // Cuts out a unit text or a bracket text at the reading position.
    std::u16string f単位切出し();
    // Reads a run of pattern characters with optional point and cycle, starting with c;
    // c is left holding the first character not taken.
    std::u16string f数値列取得(int32_t& c, bool (*pPattern)(int32_t));
    // Token readers of yylex, one per kind of first character.
    int32_t f数値接頭子読取();
    int32_t f数値読取(int32_t c);
    int32_t f英字読取(int32_t c);
    int32_t f括弧読取(int32_t c);
    int32_t f閉括弧読取();
    int32_t fコマンド読取();
    int32_t f記号読取(int32_t c);
    // A radix text as a 32-bit integer; reports "基数値不正: " + vs表記 and ends the
    // evaluation when it does not fit.
    int32_t f基数値変換(const std::u16string& vs数字, const std::u16string& vs表記);
    // Sets the value's unit fields to those of the notation.
    void f単位情報設定(T単位数型& rt値, const std::u16string& vs単位表記);
    // Sets the output ranges from the message and the token positions.
    void L終了_proc(std::u16string& rs結果, std::u16string& rsエラー, int32_t& rlエラートークン位置,
                    int32_t& rlエラートークン長さ, int32_t& rl項書換エラートークン位置,
                    int32_t& rl項書換エラートークン長さ) const;

    // The dimension fields of a unit notation, as resolved before.
    struct T単位情報 {
        T意味コ配列型 t意味コ配列;
        T単項表記配列型 t単項表記リスト;
        std::u16string s基底値変換式;
        T保留補正式配列型 t保留;
    };
    // Unit notations resolved so far: the catalogue never changes, so a notation always
    // resolves the same way, and a batch repeats the same few units over and over.
    std::unordered_map<std::u16string, T単位情報> t単位情報キャッシュ;

    I計算窓* pFront_ = nullptr;
    T単位数型 t単位数の60;
    T単位数型 t単位数の0;  // 0 without unit fields: the value of unit and bracket tokens
    // The main text and the substitution text with their reading positions; the unread
    // rest of each is the text from its position on.
    std::u16string s退避入力式;
    size_t i入力式位置 = 0;
    std::u16string s退避項書換;
    size_t i項書換位置 = 0;
    // The way back from the folded texts above to the typed ones.
    T折畳み対応 t入力式対応;
    T折畳み対応 t項書換対応;
    std::u16string sエラーメッセージ_;
    bool b範囲指定_ = false;  // the error points at t指定範囲_'s token
    YYSTYPE t指定範囲_;
    std::u16string s一つ前のトークン;
    int32_t lトークン位置 = 0, lトークン長さ = 0;
    int32_t l一つ前のトークン位置 = 0, l一つ前のトークン長さ = 0;
    int32_t l項書換トークン位置 = -1, l項書換トークン長さ = 0;
    int32_t l一つ前の項書換トークン位置 = -1, l一つ前の項書換トークン長さ = 0;
    bool b項書換切出し中 = false;
    bool b入力終端 = false;  // the current token's reader stopped at the end of input
};
