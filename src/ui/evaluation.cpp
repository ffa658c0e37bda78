// One evaluation of the input line: locking the panes, running the line on a worker
// thread while the window's own loop goes on (the halfway timer reads the halfway text,
// keys and clicks ask for a cancel), and showing the outcome when the worker hands it
// back with a queued call.
#include <QTextCursor>
#include <algorithm>

#include "commands/result_pane.h"
#include "common/i18n.h"
#include "ui/main_window.h"
#include "ui/pane_text.h"
#include "ui/window_texts.h"

namespace {

// Positions beyond int's range cannot occur in a pane; this keeps the sum in range.
int fClamp(int64_t v, int64_t lo, int64_t hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

// The title shows the progress once an evaluation has run this long.
constexpr qint64 D進捗表示開始ms = 500;

// An error found at the end of the line: the cursor goes to the end, where the user goes
// on typing, and the last character is marked (until the text changes).
void f末尾印(QPlainTextEdit* pane, int textLength) {
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(textLength);
    pane->setTextCursor(cursor);
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(pane->document());
    mark.cursor.setPosition(textLength - 1);
    mark.cursor.setPosition(textLength, QTextCursor::KeepAnchor);
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(Qt::red);
    mark.format.setBackground(QColor(255, 200, 200));
    pane->setExtraSelections({mark});
    pane->setFocus();
}

}  // namespace

void TfTavelko::f計算() {
    if (b計算中_) return;
    b計算中_ = true;
    t途中表示_.invalidate();
    t計算時間_.start();
    t桁計数_.fリセット();
    RtbCon_Disable();
    RtbLambda_Disable();
    const std::u16string sInput = fリターン文字削除(RtbCon->toPlainText().toStdU16String());
    const T評価設定型 t設定{fリターン文字削除(RtbLambda->toPlainText().toStdU16String()), 0, p状態_ != nullptr};
    const bool b雛形 = !t設定.s雛形.empty();
    try {
        t評価器_.f別スレッド評価(sInput, t設定, [this, b雛形](T評価結果型 r) {
            auto p = std::make_shared<const T評価結果型>(std::move(r));
            // Dropped unharmed when the window is gone by the time it would run.
            QMetaObject::invokeMethod(this, [this, p, b雛形] { f計算完了(*p, b雛形); }, Qt::QueuedConnection);
        });
    } catch (const std::exception&) {
        // No thread could be started: the line fails as one that runs out of memory.
        T評価結果型 r = fメモリ不足結果(sInput);
        r.i表示モード = i表示モード_;
        f計算完了(r, b雛形);
    }
}

void TfTavelko::f計算完了(const T評価結果型& r, bool b雛形) {
    b計算中_ = false;
    setWindowTitle(RC_窓題名);
    RtbCon_Enable();
    RtbLambda_Enable();
    i表示モード_ = r.i表示モード;
    if (r.p変数) p変数保存形_ = r.p変数;
    f出力表示(r);
    f結果表示(r, b雛形);
    f状態保存(r.bリセット);
    emit OnEvaluated();
}

void TfTavelko::f出力表示(const T評価結果型& r) {
    if (r.bリセット) {
        計算式履歴.Clear();
        L式履歴.Clear();
    }
    if (r.s出力.empty()) return;
    const std::u16string s = r.b出力追記 ? f追記(fCRLF文字列(RtbResult->f全文()), r.s出力) : r.s出力;
    RtbResult->f表示(fペイン文字列(s));
}

void TfTavelko::f結果表示(const T評価結果型& r, bool b雛形) {
    if (!r.sエラー.empty()) {
        // The erroneous line stays out of the history so that it can be corrected.
        計算式履歴.f履歴位置巻戻();
        RtbResult->f表示(fペイン文字列(f訳(r.sエラー)));
        // The input pane holds the main text without a template, the substitution with one.
        const int32_t lInput = b雛形 ? r.l置換位置 : r.l主位置, lInputLength = b雛形 ? r.l置換長さ : r.l主長さ;
        const int32_t lTemplate = b雛形 ? r.l主位置 : r.l置換位置, lTemplateLength = b雛形 ? r.l主長さ : r.l置換長さ;
        if (r.b例外) f全選択(RtbCon);
        else if (lInput != -1) f範囲選択(RtbCon, lInput, lInputLength);
        else {
            // The error is in the template: its pane opens to show where.
            f雛形欄表示();
            f範囲選択(RtbLambda, lTemplate, lTemplateLength);
        }
        return;
    }
    // Commands return no result: their output is in the pane already.
    if (!r.s結果.empty()) RtbResult->f表示(fペイン文字列(r.s結果));
    計算式履歴.f履歴追加(r.s入力);
    f全選択(RtbCon);
}

void TfTavelko::f範囲選択(QPlainTextEdit* pane, int32_t start, int32_t length) {
    // A range that takes in the closing line feed reaches one past the pane's text.
    const int64_t textLength = pane->document()->characterCount() - 1;
    if (start >= textLength && textLength > 0) return f末尾印(pane, static_cast<int>(textLength));
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
    if (!b計算中_) return;
    t評価器_.fキャンセル();
    // The final text follows soon: a halfway display now would only delay it.
    TimHalfway->stop();
    RtbCon->setToolTip(f窓訳(RCTT_計算キャンセル));
    fペイン色設定(RtbCon, QPalette::Base);
}

void TfTavelko::TimHalfwayTimer() {
    bool b実行中 = false;
    const bool b表示 = !t途中表示_.isValid() || t途中表示_.elapsed() >= 5 * l途中表示費用ms_;
    const QString text = t評価器_.f途中().f参照([&](bool running, const std::u16string& s) {
        b実行中 = running;
        if (running) t桁計数_.f計数(s);
        return running && b表示 ? f途中ペイン文字列(s) : QString();
    });
    if (t計算時間_.elapsed() >= D進捗表示開始ms) f進捗題名(b実行中 ? t桁計数_.f全桁数() : 0);
    // Laying out a long halfway text takes time from the window: once it costs more than a
    // fifth of the interval, displays are skipped to keep that share.
    if (!b実行中 || !b表示) return;
    const bool b初回 = !t途中表示_.isValid();
    t途中表示_.start();
    RtbResult->f途中表示(text, b初回);
    RtbResult->viewport()->repaint();
    l途中表示費用ms_ = t途中表示_.elapsed();
}

void TfTavelko::f進捗題名(size_t n桁) {
    // The words the console's progress line uses: "計算中 2.5 秒 1200 桁".
    QString s = RC_窓題名 + QStringLiteral(" — ") + f窓訳(QStringLiteral("計算中")) + u' ' +
                QString::number(double(t計算時間_.elapsed()) / 1000, 'f', 1) + u' ' + f窓訳(QStringLiteral("秒"));
    if (n桁 > 0) s += u' ' + QString::number(n桁) + u' ' + f窓訳(QStringLiteral("桁"));
    setWindowTitle(s);
}
