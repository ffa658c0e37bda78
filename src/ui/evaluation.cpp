// One evaluation of the input line: locking the panes, running the parser (which pumps
// the window's events while it works), showing the result or the error with its range,
// the halfway timer and the cancellation.
#include <QCoreApplication>
#include <QTextCursor>
#include <algorithm>
#include <new>

#include "ui/main_window.h"
#include "ui/pane_text.h"

namespace {

// Positions beyond int's range cannot occur in a pane; this keeps the sum in range.
int fClamp(int64_t v, int64_t lo, int64_t hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

}  // namespace

TfTavelko::T計算結果 TfTavelko::f例外結果(const std::u16string& sMessage) {
    T計算結果 r;
    r.sエラー = sMessage.empty() ? u"?" : sMessage;
    r.b例外 = true;
    return r;
}

void TfTavelko::f計算() {
    if (b計算中_) return;
    b計算中_ = true;
    t途中表示_.invalidate();
    RtbCon_Disable();
    RtbLambda_Disable();
    const std::u16string sInput = fリターン文字削除(RtbCon->toPlainText().toStdU16String());
    const std::u16string sTemplate = fリターン文字削除(RtbLambda->toPlainText().toStdU16String());
    const T計算結果 r = f評価(sInput, sTemplate);
    b計算中_ = false;
    RtbCon_Enable();
    RtbLambda_Enable();
    f結果表示(r, sInput);
    f状態保存();
    if (b閉じる予約_) {
        b閉じる予約_ = false;
        close();
    }
}

TfTavelko::T計算結果 TfTavelko::f評価(const std::u16string& sInput, const std::u16string& sTemplate) {
    T計算結果 r;
    const std::u16string empty;
    try {
        if (sTemplate.empty()) {
            // The input is the main text. A range in the (empty) substitution text, from
            // an "@" typed into the input, is shown in the template pane.
            Parser.yygo(sInput + u'\n', r.s結果, r.sエラー, r.l入力位置, r.l入力長さ, empty, r.lL式位置,
                        r.lL式長さ);
        } else {
            Parser.yygo(sTemplate + u'\n', r.s結果, r.sエラー, r.lL式位置, r.lL式長さ, sInput, r.l入力位置,
                        r.l入力長さ);
        }
    } catch (const E一般例外& e) {
        r = f例外結果(e.message());
    } catch (const std::bad_alloc&) {
        r = f例外結果(u"メモリ不足");
    } catch (const std::exception& e) {
        r = f例外結果(QString::fromUtf8(e.what()).toStdU16String());
    }
    return r;
}

void TfTavelko::f結果表示(const T計算結果& r, const std::u16string& sInput) {
    if (!r.sエラー.empty()) {
        // The erroneous line stays out of the history so that it can be corrected.
        計算式履歴.f履歴位置巻戻();
        RtbResult->f表示(fペイン文字列(r.sエラー));
        if (r.b例外) f全選択(RtbCon);
        else if (r.l入力位置 != -1) f範囲選択(RtbCon, r.l入力位置, r.l入力長さ);
        else f範囲選択(RtbLambda, r.lL式位置, r.lL式長さ);
        return;
    }
    // Commands return no result: they have written the pane themselves.
    if (!r.s結果.empty()) RtbResult->f表示(fペイン文字列(r.s結果));
    計算式履歴.f履歴追加(sInput);
    f全選択(RtbCon);
}

void TfTavelko::f範囲選択(QPlainTextEdit* pane, int32_t start, int32_t length) {
    // A range that takes in the closing line feed reaches one past the pane's text.
    const int64_t textLength = pane->document()->characterCount() - 1;
    const int from = fClamp(start, 0, textLength);
    const int to = fClamp(int64_t{start} + std::max(length, 0), from, textLength);
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    pane->setFocus();
}

void TfTavelko::f全選択(QPlainTextEdit* pane) {
    pane->setFocus();
    pane->selectAll();
}

void TfTavelko::f計算キャンセル() {
    Parser.yyキャンセル指示();
    // The final text follows at once: a halfway display now would only delay it.
    TimHalfway->stop();
    RtbCon->setToolTip(RCTT_計算キャンセル);
    fペイン色設定(RtbCon, QPalette::Base);
    QCoreApplication::processEvents();
}

void TfTavelko::TimHalfwayTimer() {
    if (!Parser.f単位数文字列変換中()) return;
    // Laying out a long halfway text takes time from the evaluation: once it costs more
    // than a fifth of the interval, ticks are skipped to keep that share.
    if (t途中表示_.isValid() && t途中表示_.elapsed() < 5 * l途中表示費用ms_) return;
    const bool b初回 = !t途中表示_.isValid();
    t途中表示_.start();
    RtbResult->f途中表示(Parser.fBrelvita().t途中結果.f参照([](bool, const std::u16string& s) {
        return f途中ペイン文字列(s);
    }), b初回);
    RtbResult->viewport()->repaint();
    l途中表示費用ms_ = t途中表示_.elapsed();
}
