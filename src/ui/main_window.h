// The calculator's window: the template pane, the input pane and the read-only result
// pane stacked vertically, with the evaluation loop, its cancellation, the halfway
// timer, the input histories, the state kept across runs and the notification-area icon.
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

#include "parser/parser.h"
#include "ui/history.h"
#include "ui/pane_adapter.h"
#include "ui/result_memo.h"
#include "ui/session_state.h"
#include "ui/splitter.h"

class QKeyEvent;
class QMouseEvent;

class TfTavelko : public QWidget {
    Q_OBJECT
public:
    // Tool tips of the panes.
    static const QString RCTT_数式入力催促;
    static const QString RCTT_計算中キャンセル;
    static const QString RCTT_計算結果表示;
    static const QString RCTT_L式入力催促;
    static const QString RCTT_計算キャンセル;

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
    // An evaluation is running (the input pane is locked).
    bool f計算中() const { return b計算中_; }
    // The command operations, as the grammar's actions and F1 call them.
    T窓結果ペイン& fコマンド窓() { return paneAdapter_; }

private:
    // Histories and the pane adapter come before the parser, which keeps a pointer to
    // the adapter.
    ClsHistory 計算式履歴;
    ClsHistory L式履歴;
    T窓結果ペイン paneAdapter_;

public:
    ClsParser Parser;

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

private:
    // One evaluation's outputs: the ranges are 0-based with start -1 for none.
    struct T計算結果 {
        std::u16string s結果, sエラー;
        int32_t l入力位置 = -1, l入力長さ = 0;
        int32_t lL式位置 = -1, lL式長さ = 0;
        bool b例外 = false;  // the parser raised an exception: sエラー is its text
    };
    // The outcome of an evaluation that raised an exception with this text.
    static T計算結果 f例外結果(const std::u16string& sMessage);

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

    // --- evaluation (evaluation.cpp)
    // Evaluates the input line (with the template, when there is one) and shows the
    // outcome; does nothing while an evaluation runs.
    void f計算();
    // Runs the parser on the line; an exception becomes the error message.
    T計算結果 f評価(const std::u16string& sInput, const std::u16string& sTemplate);
    // Shows the result or the error of an evaluation of the input line.
    void f結果表示(const T計算結果& r, const std::u16string& sInput);
    // Asks the running evaluation to stop and lets the window catch up once.
    void f計算キャンセル();
    // Selects the range (clamped to the text) in the pane and focuses it.
    static void f範囲選択(QPlainTextEdit* pane, int32_t start, int32_t length);
    // Focuses the pane and selects its whole text.
    static void f全選択(QPlainTextEdit* pane);

    // --- the state kept across runs (window_state.cpp)
    // Reads the saved state and puts it in place; its warnings wait for the first activation.
    void f状態復元();
    // The state as the window holds it now.
    T窓状態 f状態取得();
    // The variables' saved forms, made again only when the variable table changed.
    const std::vector<T保存変数>& f変数保存形();
    // Puts a state read from the file in place.
    void f状態適用(const T窓状態& t);
    // Saves what changed since the last save; after "!reset" removes the file instead.
    void f状態保存();
    // Adds the state file's pending warnings below the result pane's text.
    void f状態警告表示();

    // --- keys and mouse (keys.cpp)
    bool fキー押下(QObject* watched, QKeyEvent* e);
    void fキー解放(QObject* watched, QKeyEvent* e);
    bool fマウス(QObject* watched, QMouseEvent* e);
    // Enter in the template pane: keeps the template, clears the result pane and moves
    // to the input pane.
    void fL式確定();
    // Up, Down, Page Up and Page Down in an input pane: browse that pane's history.
    void f履歴キー(QPlainTextEdit* pane, int key);
    // Ctrl+C, Ctrl+Insert in the result pane: copy its whole text.
    void f結果コピー();

    QPlainTextEdit* RtbLambda = nullptr;
    QPlainTextEdit* RtbCon = nullptr;
    T結果メモ* RtbResult = nullptr;
    TVexa4SplitterBox* Splitters = nullptr;
    QTimer* TimHalfway = nullptr;
    QSystemTrayIcon* TITav = nullptr;
    std::function<void()> fBeep_;
    std::unique_ptr<T状態ファイル> p状態_;  // none with "--fresh"
    std::vector<T保存変数> v変数保存形_;     // of the variable table's generation below
    uint64_t l変数保存形世代_ = UINT64_MAX;

    bool bタスクトレイアイコン復帰中 = false;
    bool b一回だけ = false;
    bool lb最小化 = false;
    int32_t l退避LambdaHight = -1;
    bool b状態復元済_ = false;    // the panes are as saved: no collapse at the first activation
    bool b窓配置復元済_ = false;  // the window is where it was: not centred at start
    bool b計算中_ = false;
    bool b閉じる予約_ = false;  // a close arrived during an evaluation
    QElapsedTimer t途中表示_;     // since the last halfway display of this evaluation
    qint64 l途中表示費用ms_ = 0;  // how long that display took
};
