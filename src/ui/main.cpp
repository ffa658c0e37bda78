// The desktop calculator: one window; "/MIN" as the first argument starts it in the
// notification area. "--screenshot FILE [LINE …]" enters each LINE ("<Up>" and "<Down>"
// press that key instead), saves a picture of the window to FILE and quits (used to make
// the documentation's screenshot).
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "ui/icon.h"
#include "ui/main_window.h"

namespace {

// Presses and releases the key in the widget, as typing it would.
void fKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// Enters each line into the input pane (or presses Up or Down), then saves the
// window's picture and quits with status 0 (1 when the file could not be written).
void fScreenshot(TfTavelko& w, const QString& file, const QStringList& lines) {
    w.f初回活性化();
    auto* input = w.findChild<QPlainTextEdit*>(QStringLiteral("RtbCon"));
    for (const QString& line : lines) {
        if (line == QStringLiteral("<Up>")) {
            fKey(input, Qt::Key_Up, {});
        } else if (line == QStringLiteral("<Down>")) {
            fKey(input, Qt::Key_Down, {});
        } else {
            input->setPlainText(line);
            fKey(input, Qt::Key_Return, QStringLiteral("\r"));
        }
    }
    QCoreApplication::exit(w.grab().save(file) ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application's title; the window's own caption is the short name. (A display
    // name would be appended to every window title on X11.)
    QApplication::setApplicationName(QStringLiteral("Zerivuvu - 単位変換電卓"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavelko"));
    QApplication::setWindowIcon(fプログラムアイコン());

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() >= 2 && args.first() == QStringLiteral("--screenshot")) {
        TfTavelko w;
        w.show();
        const QString file = args[1];
        const QStringList lines = args.mid(2);
        // Let the window be laid out and painted once before it is driven.
        QTimer::singleShot(300, &w, [&w, file, lines] { fScreenshot(w, file, lines); });
        return app.exec();
    }
    TfTavelko w(args);
    w.f起動表示();
    return app.exec();
}
