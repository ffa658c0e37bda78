// The window's texts in one language, built twice: with English chosen (LANGUAGE=en on
// C.UTF-8) no text the window shows holds a Japanese character; with no locale variable
// every text is the Japanese text it always was, and Qt's context menu is Japanese too.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "common/i18n.h"
#include "commands/user_units.h"
#include "ui/window_texts.h"
#include "ui_test_util.h"

namespace {

// Whether the text holds a kana, a kanji or a full-width sign.
bool fJapanese(const QString& s) {
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return s.contains(re);
}

// The result pane's last line.
QString fLastLine(const TWindow& t) {
    return t.result()->toPlainText().split(u'\n', Qt::SkipEmptyParts).constLast();
}

// A row: what the window showed and its Japanese text (empty: Qt's, only known to be Japanese).
void fRow(const char* name, const QString& shown, const QString& japanese) {
    QTest::newRow(name) << shown << japanese;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void texts_data();
    void texts();
};

void LanguageTest::texts_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("japanese");
    fRow("title", QCoreApplication::applicationName(), QStringLiteral("Zerivuvu - 単位変換電卓"));
    {
        TWindow t;
        QVERIFY(t.fOpen());
        fRow("caption", t.w->windowTitle(), QStringLiteral("Zerivuvu"));
        fRow("input pane", t.con()->toolTip(), QStringLiteral("計算式を入力し、リターンキーを押して下さい"));
        fRow("template pane", t.lambda()->toolTip(), QStringLiteral("「@」文字を含む計算式を入力して下さい。「@」文字部が中央の計算式に書き換えられて計算されます"));
        fRow("result pane", t.result()->toolTip(), QStringLiteral("計算結果が表示されます"));
        const std::unique_ptr<QMenu> menu(t.con()->createStandardContextMenu());
        for (const QAction* a : menu->actions())
            if (!a->text().isEmpty()) fRow(qPrintable(QStringLiteral("menu ") + a->text()), a->text(), {});
        t.lambda()->setPlainText(QStringLiteral("(@)*2"));
        const auto* marker = t.w->findChild<QLabel*>(QStringLiteral("TemplateMarker"));
        fRow("template marker", marker->text(), QStringLiteral("雛形: (@)*2"));
        fRow("template marker's tip", marker->toolTip(), QStringLiteral("雛形が有効です。入力は「@」の所に入れて計算されます。クリックすると雛形欄が開きます"));
        t.lambda()->clear();
        t.fEnter(QStringLiteral("a"));
        fRow("error", t.result()->toPlainText(), QStringLiteral("未定義変数: a"));
        t.con()->setPlainText(QStringLiteral("2^(1/2)"));
        QTest::keyClick(t.con(), Qt::Key_Return);
        const QString running = QStringLiteral("計算中です。キャンセルしたい場合は何かキーを押すか、マウスの左ボタンをクリックして下さい");
        fRow("input pane calculating", t.con()->toolTip(), running);
        fRow("template pane calculating", t.lambda()->toolTip(), running);
        QTest::qWait(800);
        fRow("progress title", t.w->windowTitle(), {});
        QTest::keyClick(t.con(), Qt::Key_A);
        fRow("input pane cancelling", t.con()->toolTip(), QStringLiteral("キャンセル中です"));
        t.fWaitIdle();
        t.w->findChild<T結果メモ*>()->f表示(QString(100'001, u'1'));
        fRow("omission line", t.result()->toPlainText().split(u'\n').value(1), QStringLiteral("〔40001 文字省略・Ctrl+C で全文をコピー〕"));
    }
    // Named apart from the application, whose name is one of the texts.
    const QString tmp = QDir::tempPath() + QStringLiteral("/tavelko-language-XXXXXX");
    QTemporaryDir home(tmp);
    qputenv("XDG_STATE_HOME", home.path().toUtf8());
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("tavelko/window.json/inside")));
    {
        TWindow t({}, true);
        QVERIFY(t.fOpen());
        const QString moved = QDir(home.path() + QStringLiteral("/tavelko")).entryInfoList({QStringLiteral("window.json.damaged-*")}).value(0).filePath();
        fRow("damaged state", fLastLine(t), QStringLiteral("前回の状態を読めませんでした。%1 に移しました。").arg(moved));
    }
    QVERIFY(QDir(home.path() + QStringLiteral("/tavelko")).removeRecursively());
    QVERIFY(QFile(home.path() + QStringLiteral("/tavelko")).open(QIODevice::WriteOnly));
    {
        TWindow t({}, true);
        QVERIFY(t.fOpen());
        t.fEnter(QStringLiteral("1+1"));
        fRow("failed save", fLastLine(t), QStringLiteral("状態を保存できませんでした（%1/tavelko: ディレクトリを作れません）。").arg(home.path()));
    }
    const QTemporaryDir config(tmp);
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const std::string units = f利用者単位既定パス();
    QVERIFY(QDir().mkpath(QString::fromStdString(units)));
    const QString reason = QString::fromLocal8Bit(f利用者単位ファイル読込(units).s理由.c_str());
    fRow("units file", f利用者単位読込().value(0),
         QStringLiteral("%1: 単位ファイルを読めません（%2）").arg(QString::fromStdString(units), reason));
}

void LanguageTest::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, japanese);
    QVERIFY(!shown.isEmpty());
#ifdef TAVELKO_TEST_ENGLISH
    QVERIFY2(!fJapanese(shown), qPrintable(shown));
#else
    if (japanese.isEmpty()) QVERIFY2(fJapanese(shown), qPrintable(shown));
    else QCOMPARE(shown, japanese);
#endif
}

int main(int argc, char** argv) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);
#ifdef TAVELKO_TEST_ENGLISH
    setenv("LANGUAGE", "en", 1);
    setenv("LANG", "C.UTF-8", 1);
#endif
    f言語初期化();
    QApplication app(argc, argv);
    f窓言語設定(app);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
