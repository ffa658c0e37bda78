// Shared helpers of the window tests: opening a window as a user sees it after start,
// reaching its panes, and entering a line with real key events.
#pragma once

#include <QPlainTextEdit>
#include <QSplitter>
#include <QElapsedTimer>
#include <QTest>
#include <memory>

#include "ui/main_window.h"

// A shown, activated window (so its first activation has run) whose beeps are counted.
// Unless it keeps state it runs with "--fresh", untouched by any saved state.
struct TWindow {
    std::unique_ptr<TfTavelko> w;
    int beeps = 0;

    explicit TWindow(const QStringList& args = {}, bool keepsState = false)
        : w(std::make_unique<TfTavelko>(keepsState ? args : args + QStringList{QStringLiteral("--fresh")})) {
        w->f警告音設定([this] { ++beeps; });
    }
    // Shows and activates the window; false when it never became active.
    bool fOpen() {
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }
    QPlainTextEdit* fPane(const char* name) const { return w->findChild<QPlainTextEdit*>(QLatin1String(name)); }
    QPlainTextEdit* con() const { return fPane("RtbCon"); }
    QPlainTextEdit* lambda() const { return fPane("RtbLambda"); }
    QPlainTextEdit* result() const { return fPane("RtbResult"); }
    QSplitter* splitter() const { return w->findChild<QSplitter*>(); }
    // Types nothing: replaces the pane's text, then presses Enter in it; returns once the
    // evaluation it started has been shown (the window's loop runs meanwhile).
    void fEnter(QPlainTextEdit* pane, const QString& text) const {
        pane->setPlainText(text);
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_Return);
        fWaitIdle();
    }
    // Runs the event loop until no evaluation runs (at most a minute, so that a lost
    // outcome fails the test instead of hanging it).
    void fWaitIdle() const {
        QElapsedTimer clock;
        clock.start();
        while (w->f計算中() && clock.elapsed() < 60000) QTest::qWait(2);
    }
    void fEnter(const QString& text) const { fEnter(con(), text); }
    // The selection of a pane as [start, end).
    static QPair<int, int> fSelection(const QPlainTextEdit* pane) {
        return {pane->textCursor().selectionStart(), pane->textCursor().selectionEnd()};
    }
};

// Whether the end of the pane's text is inside its viewport.
inline bool fEndInView(const QPlainTextEdit& pane) {
    QTextCursor end(pane.document());
    end.movePosition(QTextCursor::End);
    return pane.viewport()->rect().contains(pane.cursorRect(end).center());
}
