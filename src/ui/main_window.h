// The calculator's window: the template pane, the input pane and the read-only result
// pane stacked vertically, with the evaluation on a worker thread, its cancellation, the
// halfway timer, the input histories, the state kept across runs and the
// notification-area icon.
#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "commands/evaluator.h"
#include "ui/history.h"
#include "ui/result_memo.h"
#include "ui/session_state.h"
#include "ui/splitter.h"
#include "commands/digit_count.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class T雛形標識;

class TfTavelko : public QWidget {
    Q_OBJECT
public:
    // Tool tips of the panes, in Japanese: the message ids of what the panes show.
    static const QString RCTT_数式入力催促;
    static const QString RCTT_計算中キャンセル;
    static const QString RCTT_計算結果表示;
    static const QString RCTT_L式入力催促;
    static const QString RCTT_計算キャンセル;
    // The window's title while no evaluation runs.
    static const QString RC_窓題名;

    // vArgs: the command line without the program's name ("/MIN" first: start in the
    // notification area; "--fresh" anywhere: neither read nor write the saved state).
    explicit TfTavelko(const QStringList& vArgs = {}, QWidget* parent = nullptr);
    ~TfTavelko() override;

    // Shows the window, or for "/MIN" only the notification-area icon (an ordinary
    // minimised window where no notification area exists).
    void f起動表示();
    // Collapses the template pane, shows the version text and focuses the input pane;
    // runs once, at the window's first activation.
    void f初回活性化();
    // Replaces the beep given when browsing runs past the end of a history.
    void f警告音設定(std::function<void()> beep) { fBeep_ = std::move(beep); }
    // Lines shown below the version text at the first activation (the unusable lines of
    // the user's units file); set before the window is shown.
    void f起動通知設定(QStringList v) { v起動通知_ = std::move(v); }
    // An evaluation is running (the input pane is locked).
    bool f計算中() const { return b計算中_; }
    // Asks the running evaluation to stop and shows that it is being cancelled.
    void f計算キャンセル();
    // The session the lines are evaluated in. Its watch may be set (for tests) only while
    // no evaluation runs.
    T評価器& f評価器() { return t評価器_; }

signals:
    // An evaluation's outcome has been shown and the panes are unlocked again.
    void OnEvaluated();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private slots:
    // Shows the halfway result of a running rendering.
    void TimHalfwayTimer();
    // Collapses the template pane to its minimum height or restores its saved height.
    void Splitter1DblClick(QObject* sender);
    // Brings the window back from the notification area on a double-click of the icon.
    void TITavActivated(QSystemTrayIcon::ActivationReason reason);
    // Shows the template marker while the template pane is too low to show the template,
    // and keeps the focus out of that pane meanwhile.
    void f雛形標識更新();

private:

    // --- construction (main_window.cpp)
    // Names the pane and gives it the settings all three panes share.
    void fペイン準備(QPlainTextEdit* pane, const char* name, int minHeight);
    void fレイアウト作成();
    void fペイン色設定(QPlainTextEdit* pane, QPalette::ColorRole role);
    void RtbCon_Enable();
    void RtbCon_Disable();
    void RtbLambda_Enable();
    void RtbLambda_Disable();
    // Moves the window into the notification area (an ordinary minimise without one).
    void fトレイへ();
    // The template pane is less than a line high at height lHeight.
    bool f雛形欄閉(int lHeight) const;
    // Opens the template pane when it is too low to show a line.
    void f雛形欄表示();

    // --- evaluation (evaluation.cpp)
    // Starts evaluating the input line (with the template, when there is one) on the
    // session's thread; does nothing while an evaluation runs.
    void f計算();
    // The outcome the session's thread handed over: unlocks the panes and shows it.
    void f計算完了(const T評価結果型& r, bool b雛形);
    // Puts a command's output into the result pane; "!reset" also clears the histories.
    void f出力表示(const T評価結果型& r);
    // Shows the result or the error of an evaluation of the input line; with b雛形 the
    // template was the main text.
    void f結果表示(const T評価結果型& r, bool b雛形);
    // Selects the range (clamped to the text) in the pane and focuses it.
    static void f範囲選択(QPlainTextEdit* pane, int32_t start, int32_t length);
    // Focuses the pane and selects its whole text.
    static void f全選択(QPlainTextEdit* pane);
    // The window's title while an evaluation runs: how long and how many digits so far.
    void f進捗題名(size_t n桁);

    // --- the state kept across runs (window_state.cpp)
    // Reads the saved state and puts it in place; its warnings wait for the first activation.
    void f状態復元();
    // The state as the window holds it now.
    T窓状態 f状態取得();
    // Puts a state read from the file in place.
    void f状態適用(const T窓状態& t);
    // Saves what changed since the last save; after "!reset" removes the file instead.
    void f状態保存(bool bリセット = false);
    // Adds the state file's pending warnings below the result pane's text.
    void f状態警告表示();
    // Adds the lines below the result pane's text and shows its end.
    void f通知表示(const QStringList& v);

    // --- keys and mouse (keys.cpp)
    bool fキー押下(QObject* watched, QKeyEvent* e);
    void fキー解放(QObject* watched, QKeyEvent* e);
    bool fマウス(QObject* watched, QMouseEvent* e);
    // F1: the result pane shows the whole help.
    void fヘルプ表示();
    // Enter in the template pane: keeps the template, clears the result pane and moves
    // to the input pane.
    void fL式確定();
    // Up, Down, Page Up and Page Down in an input pane: browse that pane's history.
    void f履歴キー(QPlainTextEdit* pane, int key);
    // Ctrl+C, Ctrl+Insert in the result pane: copy its whole text.
    void f結果コピー();
    // Ctrl+Q, and the zoom keys Ctrl++, Ctrl+=, Ctrl+- and Ctrl+0.
    void fショートカット作成();
    // Ctrl+wheel over a pane: zooms by the wheel's steps; whether the event was used.
    bool fホイール(QWheelEvent* e);
    // Sets the text size of all panes, i拡大 steps from the default (clamped); saves nothing.
    void f拡大設定(int32_t i拡大);

    ClsHistory 計算式履歴;
    ClsHistory L式履歴;
    QPlainTextEdit* RtbLambda = nullptr;
    QPlainTextEdit* RtbCon = nullptr;
    T結果メモ* RtbResult = nullptr;
    TVexa4SplitterBox* Splitters = nullptr;
    T雛形標識* p雛形標識_ = nullptr;
    QTimer* TimHalfway = nullptr;
    QSystemTrayIcon* TITav = nullptr;
    std::function<void()> fBeep_;
    std::unique_ptr<T状態ファイル> p状態_;  // none with "--fresh"
    QStringList v起動通知_;                 // shown once, at the first activation
    // The session's display mode and variables' saved forms as the last outcome gave
    // them: what the saved state keeps, without reading the session from this thread.
    int32_t i表示モード_ = DEC_CMD;
    std::shared_ptr<const std::vector<T変数保存形>> p変数保存形_;
    // The session; its lines run on its own thread.
    T評価器 t評価器_;

    bool bタスクトレイアイコン復帰中 = false;
    bool b一回だけ = false;
    bool lb最小化 = false;
    int32_t l退避LambdaHight = -1;
    bool b状態復元済_ = false;    // the panes are as saved: no collapse at the first activation
    bool b窓配置復元済_ = false;  // the window is where it was: not centred at start
    bool b計算中_ = false;      // from Enter until the outcome is shown
    int32_t i拡大_ = 0;           // zoom steps of the panes' text
    int32_t iホイール残_ = 0;      // wheel movement not yet a whole zoom step
    QElapsedTimer t計算時間_;     // since this evaluation began
    T小数桁計数 t桁計数_;         // the digits of its halfway text
    QElapsedTimer t途中表示_;     // since the last halfway display of this evaluation
    qint64 l途中表示費用ms_ = 0;  // how long that display took
};
