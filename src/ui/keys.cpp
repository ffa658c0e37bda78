// The window's key preview and mouse handling: Enter evaluates, any key or a left
// click cancels a running evaluation, F1 shows the help, the arrow and page keys browse
// the histories, Ctrl+C and Ctrl+Insert copy the whole result; Ctrl+Q quits, and Ctrl+wheel,
// Ctrl++, Ctrl+- and Ctrl+0 zoom the text of all panes.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>
#include <algorithm>

#include "commands/result_pane.h"
#include "ui/main_window.h"
#include "ui/pane_text.h"

namespace {

bool fEnterキー(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// The panes' text size at zoom step 0, and the size of one step, in pixels.
constexpr int D文字高さ = 20, D拡大幅 = 2;
constexpr int32_t D最小拡大 = -6, D最大拡大 = 20;
// One notch of an ordinary mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int Dホイール一段 = 120;

}  // namespace

bool TfTavelko::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
        return fキー押下(watched, static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease:
        fキー解放(watched, static_cast<QKeyEvent*>(e));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return fマウス(watched, static_cast<QMouseEvent*>(e));
    case QEvent::Wheel:
        return fホイール(static_cast<QWheelEvent*>(e));
    default:
        return QWidget::eventFilter(watched, e);
    }
}

bool TfTavelko::fキー押下(QObject* watched, QKeyEvent* e) {
    // While an evaluation runs every key only cancels it; the panes see none.
    if (b計算中_) {
        f計算キャンセル();
        return true;
    }
    if (e->key() == Qt::Key_F1) {
        fヘルプ表示();
        return true;
    }
    if (fEnterキー(e)) {
        // Line breaks are never typed into a pane.
        if (watched == RtbCon) f計算();
        else if (watched == RtbLambda) fL式確定();
        return watched == RtbCon || watched == RtbLambda;
    }
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) && !(e->modifiers() & Qt::ControlModifier)) {
        // Tab only moves the focus, and only to a pane that can take it; with nowhere to go
        // it stays, and no tab is ever typed into a line.
        focusNextPrevChild(e->key() == Qt::Key_Tab);
        return true;
    }
    if (watched == RtbResult && (e->modifiers() & Qt::ControlModifier) &&
        (e->key() == Qt::Key_C || e->key() == Qt::Key_Insert)) {
        f結果コピー();
        return true;
    }
    return false;
}

void TfTavelko::keyPressEvent(QKeyEvent* e) {
    // Keys that reach the window itself, with no pane focused or unused by a pane.
    if (b計算中_) f計算キャンセル();
    else if (e->key() == Qt::Key_F1) fヘルプ表示();
    else QWidget::keyPressEvent(e);
}

void TfTavelko::fキー解放(QObject* watched, QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    if (watched == RtbCon || watched == RtbLambda) f履歴キー(static_cast<QPlainTextEdit*>(watched), e->key());
}

bool TfTavelko::fマウス(QObject* watched, QMouseEvent* e) {
    const bool inInput = watched == RtbCon->viewport() || watched == RtbLambda->viewport();
    if (!inInput || e->button() != Qt::LeftButton) return false;
    if (b計算中_) {
        f計算キャンセル();
        return true;
    }
    if (e->type() != QEvent::MouseButtonDblClick) return false;
    f計算();
    return true;
}

void TfTavelko::fヘルプ表示() { RtbResult->f表示(fペイン文字列(fヘルプ全文())); }

void TfTavelko::fL式確定() {
    L式履歴.f履歴追加(fリターン文字削除(RtbLambda->toPlainText().toStdU16String()));
    RtbLambda->selectAll();
    RtbResult->clear();
    f全選択(RtbCon);
    f状態保存();
}

void TfTavelko::f履歴キー(QPlainTextEdit* pane, int key) {
    ClsHistory& history = pane == RtbLambda ? L式履歴 : 計算式履歴;
    std::u16string s;
    if (key == Qt::Key_Up || key == Qt::Key_PageDown) s = history.f前履歴取得();
    else if (key == Qt::Key_Down || key == Qt::Key_PageUp) s = history.f次履歴取得();
    else return;
    if (s.empty()) fBeep_();
    else pane->setPlainText(QString::fromStdU16String(s));
    f全選択(pane);
}

void TfTavelko::f結果コピー() {
    RtbResult->selectAll();
    RtbResult->copy();
}

void TfTavelko::fショートカット作成() {
    // Closing saves the state, so quitting by key keeps it as closing the window does.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);
    const auto zoomKey = [this](QKeyCombination key, auto step) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, step] {
            f拡大設定(step(i拡大_));
            f状態保存();
        });
    };
    const auto in = [](int32_t i) { return i + 1; };
    zoomKey(Qt::CTRL | Qt::Key_Plus, in);
    zoomKey(Qt::CTRL | Qt::Key_Equal, in);
    zoomKey(Qt::CTRL | Qt::Key_Minus, [](int32_t i) { return i - 1; });
    zoomKey(Qt::CTRL | Qt::Key_0, [](int32_t) { return 0; });
}

bool TfTavelko::fホイール(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) return false;
    // Touchpads send fractions of a notch: they add up to whole steps.
    iホイール残_ += e->angleDelta().y();
    const int32_t steps = iホイール残_ / Dホイール一段;
    iホイール残_ -= steps * Dホイール一段;
    if (steps != 0) {
        f拡大設定(i拡大_ + steps);
        f状態保存();
    }
    return true;
}

void TfTavelko::f拡大設定(int32_t i拡大) {
    i拡大_ = std::clamp(i拡大, D最小拡大, D最大拡大);
    QFont f = font();
    const int pixels = D文字高さ + D拡大幅 * i拡大_;
    if (f.pixelSize() == pixels) return;
    f.setPixelSize(pixels);
    setFont(f);
    f雛形標識更新();
}
