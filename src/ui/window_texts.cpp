#include "ui/window_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "commands/user_units.h"
#include "common/i18n.h"

namespace {

const QString RC_題名 = QStringLiteral("Zerivuvu - 単位変換電卓");
const QString RC_単位ファイル不可 = QStringLiteral("%1: 単位ファイルを読めません（%2）");

}  // namespace

QString f窓訳(const QString& id) { return QString::fromStdU16String(f訳(id.toStdU16String())); }

bool f英語表示() { return f窓訳(RC_題名) != RC_題名; }

void f窓言語設定(QCoreApplication& app) {
    // Numbers are written by our own code, but nothing that reads or prints a number
    // through the C library may see a decimal comma.
    std::setlocale(LC_NUMERIC, "C");
    // The application's title; the window's own caption is the short name. (A display
    // name would be appended to every window title on X11.)
    QCoreApplication::setApplicationName(f窓訳(RC_題名));
    if (f英語表示()) return;  // Qt's built-in texts are English
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

QStringList f利用者単位読込() {
    const std::string path = f利用者単位既定パス();
    if (path.empty()) return {};
    const T単位ファイル結果型 r = f利用者単位ファイル読込(path);
    QStringList v;
    if (!r.b読込 && !r.b不在)
        v << f窓訳(RC_単位ファイル不可).arg(QString::fromStdString(path), QString::fromLocal8Bit(r.s理由.c_str()));
    for (T単位定義報告型 report : r.t報告) {
        report.sメッセージ = f訳(report.sメッセージ);
        v << QString::fromStdU16String(f単位定義報告文(path, report));
    }
    return v;
}
