// The window driven by real key and mouse events on the offscreen platform: the start
// state, evaluation with and without a template, error ranges, the histories, the copy
// of the result, the splitter toggle, the commands, "/MIN" and the icon.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QSystemTrayIcon>
#include <algorithm>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

#include "commands/result_pane.h"
#include "ui/icon.h"
#include "ui/pane_text.h"
#include "ui_test_util.h"

// Lowers this process's address-space limit to its present size plus margin bytes for
// the scope (margin 0: leaves it alone), so that a large evaluation runs out of memory.
class TAddressSpaceCap {
  public:
    explicit TAddressSpaceCap(rlim_t margin) {
        getrlimit(RLIMIT_AS, &saved_);
        if (margin == 0) return;
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        const rlim_t cap = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + margin;
        const rlimit lowered{std::min(cap, saved_.rlim_cur), saved_.rlim_max};
        setrlimit(RLIMIT_AS, &lowered);
    }
    ~TAddressSpaceCap() { setrlimit(RLIMIT_AS, &saved_); }
    TAddressSpaceCap(const TAddressSpaceCap&) = delete;
    TAddressSpaceCap& operator=(const TAddressSpaceCap&) = delete;

  private:
    rlimit saved_{};
};

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void startNotices();
    void evaluate_data();
    void evaluate();
    void templateEnterEvaluatesNothing();
    void historyKeys_data();
    void historyKeys();
    void copyWholeResult_data();
    void copyWholeResult();
    void splitterToggle();
    void desktopKeys();
    void commandsWriteTheResultPane();
    void doubleClickInInputEvaluates();
    void minimisedStart_data();
    void minimisedStart();
    void lineBreakTexts_data();
    void lineBreakTexts();
    void icon();
};

void WindowTest::startState() {
    TWindow t;
    QVERIFY(t.fOpen());
    TfTavelko& w = *t.w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Zerivuvu"));
    QCOMPARE(t.splitter()->sizes().value(0), 4);
    QVERIFY(t.result()->toPlainText().startsWith(QStringLiteral("Tavelko/Linux Version 1.5.0.0\n\n本プログラムは")));
    QCOMPARE(QApplication::focusWidget(), t.con());
    QVERIFY(t.result()->isReadOnly());
    QVERIFY(!t.con()->isReadOnly());
    QCOMPARE(t.con()->toolTip(), TfTavelko::RCTT_数式入力催促);
    QCOMPARE(t.lambda()->toolTip(), TfTavelko::RCTT_L式入力催促);
    QCOMPARE(t.result()->toolTip(), TfTavelko::RCTT_計算結果表示);
    const QPalette app = QApplication::palette();
    QCOMPARE(t.con()->palette().color(QPalette::Base), app.color(QPalette::Base));
    QCOMPARE(t.result()->palette().color(QPalette::Base), app.color(QPalette::Button));
    // Each bar takes 3 pixels between its panes.
    QCOMPARE(t.con()->geometry().top() - t.lambda()->geometry().bottom() - 1, 3);
    QCOMPARE(t.result()->geometry().top() - t.con()->geometry().bottom() - 1, 3);
    for (int i : {1, 2}) {
        QCOMPARE(t.splitter()->handle(i)->contentsRect().height(), 3);
        QCOMPARE(t.splitter()->handle(i)->objectName(), QStringLiteral("Splitter%1").arg(i));
    }
}

// Notices given before the window is shown (the units file's unusable lines) follow the
// version text at the first activation, once.
void WindowTest::startNotices() {
    TWindow t;
    const QStringList notices = {QStringLiteral("/u/units.txt:3: 次元不明"), QStringLiteral("/u/units.txt:9: 単位定義不正")};
    t.w->f起動通知設定(notices);
    QVERIFY(t.fOpen());
    const QString shown = t.result()->toPlainText();
    QVERIFY2(shown.startsWith(QStringLiteral("Tavelko/Linux")), qPrintable(shown));
    QVERIFY2(shown.endsWith(QLatin1Char('\n') + notices.join(QLatin1Char('\n')) + QLatin1Char('\n')), qPrintable(shown));
    t.w->hide();
    QVERIFY(t.fOpen());
    QCOMPARE(t.result()->toPlainText(), shown);
}

void WindowTest::evaluate_data() {
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("selectedPane");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<bool>("stored");  // the input reached the history
    QTest::addColumn<bool>("starved");  // the address space has 256 MiB left for the Enter
    QTest::addColumn<int>("marked");  // the character marked as where the error is, or -1
    QTest::newRow("repeating") << "" << "1/3" << "0.3`" << "RtbCon" << 0 << 3 << true << false << -1;
    QTest::newRow("unit") << "" << "10km/5[m/h]" << "2000 [h]" << "RtbCon" << 0 << 11 << true << false << -1;
    QTest::newRow("syntax at line feed") << "" << "1+" << "構文不正" << "RtbCon" << 2 << 2 << false << false << 1;
    QTest::newRow("syntax inside") << "" << "1+*2" << "構文不正" << "RtbCon" << 2 << 3 << false << false << -1;
    QTest::newRow("template") << "@*2" << "3" << "6" << "RtbCon" << 0 << 1 << true << false << -1;
    QTest::newRow("error in substitution") << "@+1" << "abc" << "未定義変数: abc" << "RtbCon" << 0 << 3 << false << false << -1;
    QTest::newRow("error in template") << "@+" << "1" << "構文不正" << "RtbLambda" << 2 << 2 << false << false << 1;
    QTest::newRow("command") << "" << "!res_frac" << "仮分数で計算結果を表示。" << "RtbCon" << 0 << 9 << true << false << -1;
    QTest::newRow("exception") << "" << "2^99999999999" << "整数オーバーフロー" << "RtbCon" << 0 << 13 << false << false << -1;
    QTest::newRow("out of memory") << "" << "10^2000000000" << "メモリ不足" << "RtbCon" << 0 << 13 << false << true << -1;
}

void WindowTest::evaluate() {
    QFETCH(QString, tmpl);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QFETCH(QString, selectedPane);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(bool, stored);
    QFETCH(bool, starved);
    QFETCH(int, marked);
    TWindow t;
    QVERIFY(t.fOpen());
    t.lambda()->setPlainText(tmpl);
    {
        const TAddressSpaceCap cap(starved ? rlim_t{256} << 20 : 0);
        t.fEnter(input);
    }
    QCOMPARE(t.result()->toPlainText(), shown);
    QPlainTextEdit* pane = t.fPane(selectedPane.toLatin1().constData());
    QCOMPARE(QApplication::focusWidget(), pane);
    QCOMPARE(TWindow::fSelection(pane), qMakePair(selStart, selEnd));
    const QList<QTextEdit::ExtraSelection> marks = pane->extraSelections();
    QCOMPARE(marks.isEmpty() ? -1 : marks[0].cursor.selectionStart(), marked);
    if (marked != -1) QCOMPARE(marks[0].cursor.selectionEnd(), marked + 1);
    // An error in the template opens its pane (collapsed at the start) to show where.
    QCOMPARE(t.lambda()->height() > 4, pane == t.lambda());
    QVERIFY(!t.con()->isReadOnly() && !t.lambda()->isReadOnly());
    QCOMPARE(t.con()->toolTip(), TfTavelko::RCTT_数式入力催促);
    QVERIFY(!t.w->findChild<QTimer*>(QStringLiteral("TimHalfway"))->isActive());
    // Browsing back finds the input only when it was stored.
    t.con()->setPlainText(QStringLiteral("x"));
    QVERIFY(t.con()->extraSelections().isEmpty());
    QTest::keyClick(t.con(), Qt::Key_Up);
    QCOMPARE(t.con()->toPlainText(), stored ? input : QStringLiteral("x"));
    QCOMPARE(t.beeps, stored ? 0 : 1);
    // The window goes on evaluating.
    t.lambda()->clear();
    t.fEnter(QStringLiteral("1+1"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("2"));
}

void WindowTest::templateEnterEvaluatesNothing() {
    TWindow t;
    QVERIFY(t.fOpen());
    t.con()->setPlainText(QStringLiteral("3"));
    t.fEnter(t.lambda(), QStringLiteral("@*2"));
    QCOMPARE(t.result()->toPlainText(), QString());
    QCOMPARE(QApplication::focusWidget(), t.con());
    QCOMPARE(t.con()->textCursor().selectedText(), QStringLiteral("3"));
    QCOMPARE(t.lambda()->toPlainText(), QStringLiteral("@*2"));
    // The template went to the template pane's own history, not the input's.
    t.lambda()->clear();
    QTest::keyClick(t.lambda(), Qt::Key_Up);
    QCOMPARE(t.lambda()->toPlainText(), QStringLiteral("@*2"));
    QTest::keyClick(t.con(), Qt::Key_Up);
    QCOMPARE(t.beeps, 1);
}

void WindowTest::historyKeys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    using K = QList<int>;
    QTest::newRow("up") << K{Qt::Key_Up} << "2" << 0;
    QTest::newRow("up up") << K{Qt::Key_Up, Qt::Key_Up} << "1" << 0;
    QTest::newRow("past oldest beeps") << K{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up} << "1" << 1;
    QTest::newRow("page down is up") << K{Qt::Key_PageDown, Qt::Key_PageDown} << "1" << 0;
    QTest::newRow("page up is down") << K{Qt::Key_Up, Qt::Key_Up, Qt::Key_PageUp} << "2" << 0;
    QTest::newRow("down past newest beeps") << K{Qt::Key_Up, Qt::Key_Down} << "2" << 1;
    QTest::newRow("down at start beeps") << K{Qt::Key_Down} << "2" << 1;
}

void WindowTest::historyKeys() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    TWindow t;
    QVERIFY(t.fOpen());
    t.fEnter(QStringLiteral("1"));
    t.fEnter(QStringLiteral("2"));
    for (int key : keys) QTest::keyClick(t.con(), Qt::Key(key));
    QCOMPARE(t.con()->toPlainText(), text);
    QCOMPARE(t.beeps, beeps);
    QCOMPARE(t.con()->textCursor().selectedText(), text);
}

void WindowTest::copyWholeResult_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+C") << int(Qt::Key_C);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert);
}

void WindowTest::copyWholeResult() {
    QFETCH(int, key);
    TWindow t;
    QVERIFY(t.fOpen());
    const QString whole = t.result()->toPlainText();  // the version text, several lines
    QVERIFY(whole.count(u'\n') > 2);
    QTextCursor part = t.result()->textCursor();
    part.setPosition(3);
    part.setPosition(6, QTextCursor::KeepAnchor);
    t.result()->setTextCursor(part);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(t.result(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), whole);
}

void WindowTest::splitterToggle() {
    TWindow t;
    QVERIFY(t.fOpen());
    QSplitter* s = t.splitter();
    const int inputHeight = s->sizes().value(1);
    QWidget* upper = s->handle(1);
    const QPoint mid = upper->rect().center();
    for (int expected : {113, 4, 113, 4}) {
        QTest::mouseDClick(upper, Qt::LeftButton, {}, mid);
        QCOMPARE(s->sizes().value(0), expected);
        QCOMPARE(s->sizes().value(1), inputHeight);
        QCOMPARE(t.lambda()->height(), expected);
    }
    const QList<int> before = s->sizes();
    QTest::mouseDClick(s->handle(2), Qt::LeftButton, {}, s->handle(2)->rect().center());
    QCOMPARE(s->sizes(), before);
}

void WindowTest::desktopKeys() {
    TWindow t;
    QVERIFY(t.fOpen());
    t.fEnter(QStringLiteral("!help"));
    QPlainTextEdit* result = t.result();
    result->setFocus();
    const int end = result->document()->characterCount() - 1;
    for (auto [key, position] : {std::pair{Qt::Key_End, end}, {Qt::Key_Home, 0}}) {
        QTest::keyClick(result, key, Qt::ControlModifier);
        QCOMPARE(result->textCursor().position(), position);
    }
    // (keys, the text's pixel size after them)
    for (auto [keys, size] : {std::pair{"+=", 24}, {"-", 22}, {"0", 20}}) {
        for (const char* k = keys; *k; ++k) QTest::keyClick(t.con(), *k, Qt::ControlModifier);
        QCOMPARE(result->font().pixelSize(), size);
        QCOMPARE(t.con()->font().pixelSize(), size);
    }
    QTest::keyClick(t.con(), 'q', Qt::ControlModifier);
    QVERIFY(!t.w->isVisible());
}

void WindowTest::commandsWriteTheResultPane() {
    TWindow t;
    QVERIFY(t.fOpen());
    t.fEnter(QStringLiteral("1/3"));
    t.fEnter(QStringLiteral("!version"));
    const QString text = t.result()->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("0.3`\nTavelko/Linux Version 1.5.0.0\n\n本")), qPrintable(text));
    QTest::keyClick(t.con(), Qt::Key_F1);
    QCOMPARE(t.result()->toPlainText(), fペイン文字列(fヘルプ全文()));
    t.fEnter(QStringLiteral("!reset"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("完了"));
    t.fEnter(QStringLiteral("!sourcecode"));
    QVERIFY(t.result()->toPlainText().contains(QStringLiteral("class TfTavelko")));
}

void WindowTest::doubleClickInInputEvaluates() {
    TWindow t;
    QVERIFY(t.fOpen());
    t.con()->setPlainText(QStringLiteral("1+2"));
    QTest::mouseDClick(t.con()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    t.fWaitIdle();
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("3"));
    QCOMPARE(t.con()->textCursor().selectedText(), QStringLiteral("1+2"));
}

void WindowTest::minimisedStart_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("upper") << QStringList{"/MIN"} << true;
    QTest::newRow("lower") << QStringList{"/min"} << true;
    QTest::newRow("mixed") << QStringList{"/Min", "x"} << true;
    QTest::newRow("not first") << QStringList{"x", "/MIN"} << false;
    QTest::newRow("after --fresh") << QStringList{"--fresh", "/MIN"} << true;
    QTest::newRow("none") << QStringList{} << false;
}

void WindowTest::minimisedStart() {
    QFETCH(QStringList, args);
    QFETCH(bool, minimised);
    TWindow t(args);
    t.w->f起動表示();
    // Offscreen there is no notification area: the window is minimised instead.
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QCOMPARE(t.w->isMinimized(), minimised);
    QCOMPARE(t.w->isVisible(), true);
    // A double-click on the icon brings the window back in normal state.
    emit t.w->findChild<QSystemTrayIcon*>()->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!t.w->isMinimized());
    QVERIFY(t.w->isVisible());
}

void WindowTest::lineBreakTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("withoutBreak");
    QTest::addColumn<QString>("pane");  // as a pane holds it
    QTest::newRow("crlf") << "a\r\n" << "a" << "a\n";
    QTest::newRow("lf") << "a\n" << "a" << "a\n";
    QTest::newRow("cr") << "a\r" << "a" << "a\n";
    QTest::newRow("only one") << "a\r\n\r\n" << "a\r\n" << "a\n\n";
    QTest::newRow("lf cr") << "a\n\r" << "a\n" << "a\n\n";
    QTest::newRow("inside") << "a\r\nb" << "a\r\nb" << "a\nb";
}

void WindowTest::lineBreakTexts() {
    QFETCH(QString, text);
    QFETCH(QString, withoutBreak);
    QFETCH(QString, pane);
    QCOMPARE(QString::fromStdU16String(fリターン文字削除(text.toStdU16String())), withoutBreak);
    QCOMPARE(fペイン文字列(text.toStdU16String()), pane);
    QCOMPARE(fペイン文字列(fCRLF文字列(pane)), pane);
    QCOMPARE(fCRLF文字列(QStringLiteral("x\ny\n")), std::u16string(u"x\r\ny\r\n"));
}

void WindowTest::icon() {
    QFile file(QStringLiteral(":/tavelko.svg"));
    QVERIFY(!fプログラムアイコン().isNull());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    const QImage image = fSVG描画(svg, 256);
    QVERIFY(!image.isNull());
    QCOMPARE(image.pixelColor(2, 2).alpha(), 0);                    // outside the rounded corner
    QCOMPARE(image.pixelColor(100, 50), QColor("#e8f1f8"));          // display
    QCOMPARE(image.pixelColor(54, 140), QColor("#2e5c8a"));          // the plus sign's centre
    QCOMPARE(image.pixelColor(120, 190), QColor("#f28c28"));         // the equals key
    QCOMPARE(fSVG描画(svg, 32).pixelColor(12, 6), QColor("#e8f1f8"));  // scaled down
    QVERIFY(fSVG描画("<svg viewBox=\"0 0 8 8\"><path d=\"M0 0\"/></svg>", 16).isNull());
    QVERIFY(fSVG描画("<svg", 16).isNull());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
