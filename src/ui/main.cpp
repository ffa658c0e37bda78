// The desktop calculator: one window; "/MIN" as the first argument starts it in the
// notification area, "--fresh" anywhere without the saved state. "--screenshot FILE
// [LINE …]" enters each LINE ("<Up>" and "<Down>" press that key instead, "<Template>TEXT"
// enters TEXT in the template pane), saves a picture of the window to FILE and quits
// (used to make the documentation's screenshot, which therefore reads no units file);
// "--fresh" may precede it. The user's units file is read before the window exists, so
// that its units are in place before the first evaluation.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "common/i18n.h"
#include "ui/icon.h"
#include "ui/main_window.h"
#include "ui/window_texts.h"

namespace {

// Presses and releases the key in the widget, as typing it would.
void fKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// Enters the lines from `next` on into the input pane (or presses Up or Down, or enters a
// template), each once the one before has been evaluated, then saves the window's
// picture and quits with status 0 (1 when the file could not be written).
void fScreenshot(TfTavelko& w, const QString& file, const QStringList& lines, qsizetype next = 0) {
    auto* input = w.findChild<QPlainTextEdit*>(QStringLiteral("RtbCon"));
    auto* tmpl = w.findChild<QPlainTextEdit*>(QStringLiteral("RtbLambda"));
    const QString sTemplate = QStringLiteral("<Template>");
    for (; next < lines.size(); ++next) {
        const QString& line = lines[next];
        if (line == QStringLiteral("<Up>")) {
            fKey(input, Qt::Key_Up, {});
        } else if (line == QStringLiteral("<Down>")) {
            fKey(input, Qt::Key_Down, {});
        } else {
            QPlainTextEdit* pane = line.startsWith(sTemplate) ? tmpl : input;
            pane->setPlainText(pane == tmpl ? line.mid(sTemplate.size()) : line);
            fKey(pane, Qt::Key_Return, QStringLiteral("\r"));
        }
        if (w.f計算中()) {
            // Go on with the next line once this one has been shown.
            auto* once = new QObject(&w);
            QObject::connect(&w, &TfTavelko::OnEvaluated, once, [&w, file, lines, next, once] {
                once->deleteLater();
                fScreenshot(w, file, lines, next + 1);
            });
            return;
        }
    }
    QCoreApplication::exit(w.grab().save(file) ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv) {
    // The language is settled before Qt starts; QApplication's own setlocale(LC_ALL, "")
    // keeps it, and f窓言語設定 undoes the numeric part.
    f言語初期化();
    QApplication app(argc, argv);
    f窓言語設定(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("tavelko"));
    QApplication::setWindowIcon(fプログラムアイコン());

    QStringList args = QCoreApplication::arguments().mid(1);
    const QStringList fresh = args.value(0) == QStringLiteral("--fresh") ? args.mid(0, 1) : QStringList();
    if (args.size() >= fresh.size() + 2 && args[fresh.size()] == QStringLiteral("--screenshot")) {
        args = args.mid(fresh.size());
        TfTavelko w(fresh);
        w.show();
        const QString file = args[1];
        const QStringList lines = args.mid(2);
        // Let the window be laid out and painted once before it is driven.
        QTimer::singleShot(300, &w, [&w, file, lines] {
            w.f初回活性化();
            fScreenshot(w, file, lines);
        });
        return app.exec();
    }
    const QStringList v単位通知 = f利用者単位読込();
    TfTavelko w(args);
    w.f起動通知設定(v単位通知);
    w.f起動表示();
    return app.exec();
}
