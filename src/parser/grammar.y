/* The expression language: one line is an expression, an assignment or a command.
   Every reduction calls the engine (or the front end for commands) through the
   parser object; an action's error ends the parse at once. Every rule that has a value
   sets $$ itself, moving from its parts: the build drops the skeleton's default copy
   of $1 (cmake/parser_moves.cmake). */
%require "3.8"
%define api.pure full
%define api.token.prefix {TOK_}
%parse-param {ClsParser& p}
%lex-param {ClsParser& p}

%code requires {
#include "parser/parser.h"
#define YYSTYPE_IS_DECLARED 1
#define YYSTYPE_IS_TRIVIAL 0
}

%code {
#include <algorithm>
#include <cstring>
#include <vector>

/* Room for 200 entries: the parse fails when a 201st would be needed. A parse starts on
   short local stacks (values are records with strings, so a full-size local stack would
   be built and torn down on every line) and moves once to stacks of the full size. */
#define YYINITDEPTH 24
#define YYMAXDEPTH 201
#define yyoverflow(msg, ss, ssBytes, vs, vsBytes, stacksize) \
    yy構文スタック拡張(p, ss, vs, (vsBytes) / sizeof(YYSTYPE), stacksize)

static void yyerror(ClsParser& p, const char* msg);

/* Moves the stacks to their full size, or reports the stack overflow when they are full. */
template <class TState, class TSize>
static void yy構文スタック拡張(ClsParser& p, TState** ss, YYSTYPE** vs, size_t used, TSize* stacksize) {
    static thread_local std::vector<TState> states;
    if (*stacksize >= YYMAXDEPTH) {
        yyerror(p, "memory exhausted");
        return;
    }
    states.resize(YYMAXDEPTH);
    p.yyastk.resize(YYMAXDEPTH);
    std::copy(*ss, *ss + used, states.begin());
    std::move(*vs, *vs + used, p.yyastk.begin());
    *ss = states.data();
    *vs = p.yyastk.data();
    *stacksize = YYMAXDEPTH;
}

static int yylex(YYSTYPE* lvalp, ClsParser& p) {
    // Tokens set every field the grammar reads from them, so the value can be moved.
    const int token = p.yylex();
    *lvalp = std::move(p.yylval);
    return token;
}

/* Bison's own messages become the calculator's. */
static void yyerror(ClsParser& p, const char* msg) {
    if (std::strcmp(msg, "memory exhausted") == 0) {
        p.yyerror(ClsParseBase::RCS_PARSER_STACK_OVERFLOW);
    } else {
        p.yyerror(ClsParseBase::RCS_SYNTAX_ERROR);
    }
}

/* The lexer returns the codes of ClsParseBase's list, and the display modes are the
   codes of their commands: every copy must agree with the codes declared below. */
static_assert(int{TOK_HELP_CMD} == HELP_CMD_TOKEN && int{TOK_RESET_CMD} == RESET_CMD_TOKEN &&
              int{TOK_UNKNOWN_CMD} == UNKNOWN_CMD_TOKEN && int{TOK_VERSION_CMD} == VERSION_CMD_TOKEN &&
              int{TOK_SOURCECODE_CMD} == SOURCECODE_CMD_TOKEN && int{TOK_NUMBER} == NUMBER_TOKEN &&
              int{TOK_BASENUMBER} == BASENUMBER_TOKEN && int{TOK_VARIABLE} == VARIABLE_TOKEN &&
              int{TOK_SUNIT} == SUNIT_TOKEN && int{TOK_SUBASENUM} == SUBASENUM_TOKEN &&
              int{TOK_ASSIGN_OP} == ASSIGN_OP_TOKEN && int{TOK_NEG} == NEG_TOKEN &&
              int{TOK_FUNC} == FUNC_TOKEN && int{TOK_ROOT_SIGN} == ROOT_SIGN_TOKEN);
static_assert(int{TOK_FRAC_CMD} == FRAC_CMD && int{TOK_MIXFRAC_CMD} == MIXFRAC_CMD && int{TOK_DEC_CMD} == DEC_CMD);

/* Ends the parse after an action reported its error (result 999). */
#define ACTION(ok) do { if (!(ok)) YYABORT; } while (0)
}

%token HELP_CMD 257 RESET_CMD 258 UNKNOWN_CMD 259 VERSION_CMD 260 SOURCECODE_CMD 261
%token FRAC_CMD 262 MIXFRAC_CMD 263 DEC_CMD 264
%token NUMBER 265 BASENUMBER 266 VARIABLE 267 SUNIT 268 SUBASENUM 269 ASSIGN_OP 270 NEG 271
%token FUNC 272 ROOT_SIGN 273

%right ASSIGN_OP
%left '-' '+'
%left '*' '/'
%right '^'
%left NEG

%start line

%%

line: %empty
    | exp '\n'                     { p.f結果設定(std::move($1.val)); }
    | VARIABLE ASSIGN_OP exp '\n'  { p.f代入($1.val, std::move($3.val)); }
    | command '\n'                 { p.s結果.clear(); }
    ;

command: HELP_CMD        { p.fヘルプ(); }
    | RESET_CMD          { p.fリセット(); }
    | VERSION_CMD        { p.fバージョン(); }
    | SOURCECODE_CMD     { p.fソースコード(); }
    | FRAC_CMD           { p.f表示モード(FRAC_CMD); }
    | MIXFRAC_CMD        { p.f表示モード(MIXFRAC_CMD); }
    | DEC_CMD            { p.f表示モード(DEC_CMD); }
    | UNKNOWN_CMD        { ACTION(p.f未定義コマンド()); }
    ;

exp: ten_num            { $$.val = std::move($1.val); }
    | ten_num SUNIT      { ACTION(p.f単位確認($2.val)); $$.val = p.fBrelvita().f単位数補正($1.val, $2.val); }
    | NUMBER subas       {
                           ACTION(p.f数値確認($1.val));
                           $$.val = std::move($1.val);
                           $$.val.i表記基数 = $2.val.i表記基数;
                         }
    | VARIABLE           { ACTION(p.f変数取得($1.val, $$.val)); }
    | VARIABLE SUNIT     {
                           ACTION(p.f単位確認($2.val));
                           T単位数型 v;
                           ACTION(p.f変数取得($1.val, v));
                           ACTION(p.f変換確認(v, $2));
                           $$.val = p.fBrelvita().f単位数補正(v, $2.val);
                         }
    | '(' numvar bases   { ACTION(p.f基数入力($2.val, $3.val.i表記基数, $$.val)); }
    | '(' numvar bases subas {
                           ACTION(p.f基数入力($2.val, $3.val.i表記基数, $$.val));
                           $$.val.i表記基数 = $4.val.i表記基数;
                         }
    | exp '+' exp        { $$.val = p.fBrelvita().f加算($1.val, $3.val); $$.val.i表記基数 = $3.val.i表記基数; }
    | exp '-' exp        { $$.val = p.fBrelvita().f減算($1.val, $3.val); $$.val.i表記基数 = $3.val.i表記基数; }
    | exp '*' exp        { $$.val = p.fBrelvita().f乗算($1.val, $3.val); $$.val.i表記基数 = $3.val.i表記基数; }
    | exp '/' exp        { $$.val = p.fBrelvita().f除算($1.val, $3.val); $$.val.i表記基数 = $3.val.i表記基数; }
    | exp '^' exp        { $$.val = p.fBrelvita().f累乗($1.val, $3.val); $$.val.i表記基数 = $3.val.i表記基数; }
    | '-' exp %prec NEG  { $$.val = p.fBrelvita().f符号付加($2.val); }
    | FUNC '(' exp ')'   { ACTION(p.f関数呼出($1, $3.val, $$.val)); }
    | ROOT_SIGN exp %prec NEG { ACTION(p.f関数呼出($1, $2.val, $$.val)); }
    | '(' exp ')' SUNIT  {
                           ACTION(p.f単位確認($4.val));
                           ACTION(p.f変換確認($2.val, $4));
                           $$.val = p.f式単位補正($2.val, $4.val);
                         }
    | '(' exp ')' subas  { $$.val = std::move($2.val); $$.val.i表記基数 = $4.val.i表記基数; }
    | '(' exp ')'        { $$.val = std::move($2.val); }
    ;

numvar: NUMBER           { $$.val = std::move($1.val); }
    | VARIABLE           { $$.val = std::move($1.val); }
    ;

subas: SUBASENUM         { ACTION(p.f表示基数確認($1.val.i表記基数)); $$.val = std::move($1.val); }
    ;

bases: BASENUMBER        { ACTION(p.f入力基数確認($1.val.i表記基数)); $$.val = std::move($1.val); }
    ;

ten_num: NUMBER          { ACTION(p.f数値確認($1.val)); $$.val = std::move($1.val); }
    ;

%%

int32_t ClsParser::yyparse() {
    b行動エラー = false;
    try {
        const int32_t result = ::yyparse(*this);
        if (b行動エラー) return 999;
        return sエラーメッセージ() == RCS_PARSER_STACK_OVERFLOW ? 2 : result;
    } catch (const E字句エラー&) {
        return 999;
    }
}
