// The parser object: the grammar's parse driver and the actions that the grammar's
// reductions run on the engine, the variable table and the front end.
#pragma once

#include <cstdint>
#include <string>

#include "parser/parse_base.h"

class ClsParser : public ClsParseBase {
public:
    static constexpr int32_t CI最大基数 = 36;
    static constexpr char16_t RCS_UNKNOWN_COMMAND[] = u"未定義コマンド";
    static constexpr char16_t RCS_UNDEFINE_SYMBOL[] = u"未定義変数: ";
    static constexpr char16_t RCS_UNKNOWN_UNIT[] = u"未定義単位";
    static constexpr char16_t RCS_BASE_NUM_ERROR[] = u"基数変換値不正: ";
    static constexpr char16_t RCS_BASE_VAL_ERROR[] = u"基数値不正: ";
    static constexpr char16_t RCS_VAL_ERROR[] = u"数値不正: ";
    static constexpr char16_t RCS_UNDEFINED_FUNCTION[] = u"未定義関数: ";
    static constexpr char16_t RCS_DIMENSION_MISMATCH[] = u"次元不一致: ";

    using ClsParseBase::ClsParseBase;

    // --- Grammar actions. Those returning bool give false after reporting an error
    // through yyerror; the parse then ends with result 999.
    // A complete line: the result text of the value (which the rendering may change).
    void f結果設定(T単位数型 vt値);
    // "name := exp": stores the value (not a cancelled one), then renders it.
    void f代入(const T単位数型& vt変数, T単位数型 vt値);
    // The commands.
    void fヘルプ();
    void fリセット();
    void fバージョン();
    void fソースコード();
    void f表示モード(int32_t iCmd);
    // "!" with an unknown word.
    bool f未定義コマンド();
    // A number used as a plain number: it must have a numeric value (no letters).
    bool f数値確認(const T単位数型& vt数値);
    // A unit token: known and not an exceptional unit other than the time unit.
    bool f単位確認(const T単位数型& vt単位);
    // A conversion of a value into the unit of the token ("(exp)[unit]", "x[unit]"): the
    // unit must read, and a value with a unit must have the unit's dimension; an error
    // points at the unit. A plain value takes any unit, and an unknown one stays unknown.
    bool f変換確認(const T単位数型& vt値, const YYSTYPE& vt単位);
    // The call of the function named by the token (or the root sign) on a value;
    // reports an unknown name and an argument outside the function's domain at the call.
    bool f関数呼出(const YYSTYPE& vt関数, const T単位数型& vt引数, T単位数型& rt値);
    // "(exp)[unit]": the value with the unit attached or converted into it; a plain
    // number converted into a dimensionless unit with a factor is the number in that unit
    // ((pi/4)[°] is 45 degrees).
    T単位数型 f式単位補正(const T単位数型& vt値, const T単位数型& vt単位);
    // The value of a variable, or of the constant of that name (pi, π, e) when no
    // variable has it; reports an unknown name.
    bool f変数取得(const T単位数型& vt変数, T単位数型& rt値);
    // Radix digits of a number or a name inside "( … )n" as a value.
    bool f基数入力(const T単位数型& vt数字, int32_t vl基数, T単位数型& rt値);
    // The radix of "[n]" and of ")n" must lie in 2..36.
    bool f表示基数確認(int32_t vl基数);
    bool f入力基数確認(int32_t vl基数);

    // Set by an action's error: the parse result is then 999.
    bool b行動エラー = false;

protected:
    int32_t yyparse() override;

private:
    // Reports an action's error: yyerror, and the parse result becomes 999.
    bool fエラー(const std::u16string& s);
};
