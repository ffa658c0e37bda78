// The state kept across runs: a restart of the program itself, damaged files set aside,
// "!reset", "--fresh" and a failed save.
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ui_test_util.h"

namespace {

// A state directory of the test's own, where XDG_STATE_HOME points while it lives.
struct TStateHome {
    QTemporaryDir dir;
    TStateHome() { qputenv("XDG_STATE_HOME", dir.path().toUtf8()); }
    QString file() const { return dir.path() + QStringLiteral("/tavelko/window.json"); }
    // The names moved aside next to the file.
    QStringList setAside() const {
        return QDir(dir.path() + QStringLiteral("/tavelko"))
            .entryList({QStringLiteral("window.json.damaged-*")},
                       QDir::AllEntries | QDir::Hidden | QDir::System);
    }
};

QByteArray fRead(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void fWrite(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// The result pane's last line.
QString fLastLine(const TWindow& t) {
    const QStringList lines = t.result()->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

}  // namespace

class StateTest : public QObject {
    Q_OBJECT
  private slots:
    void restart();
    void damagedFiles_data();
    void damagedFiles();
    void unmovableFileIsLeftAlone();
    void resetAndFresh();
    void failedSaveIsReportedOnce();
    void lineRunningAtTheCloseIsKept();
};

// The program enters lines and quits without closing its window, as if killed; a new
// window takes up where it stopped. Its panes and size survive a close.
void StateTest::restart() {
    TStateHome home;
    QProcess program;
    program.start(
        QStringLiteral(TAVELKO_EXE),
        {QStringLiteral("--screenshot"), home.dir.filePath("shot.png"), QStringLiteral("a:=5m"),
         QStringLiteral("b:=1/3"), QStringLiteral("!res_frac"), QStringLiteral("<Template>@*2")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    TWindow fresh;
    QVERIFY(fresh.fOpen());
    TWindow t({}, true);
    QVERIFY(t.fOpen());
    QCOMPARE(t.result()->toPlainText(), fresh.result()->toPlainText());
    QCOMPARE(t.lambda()->toPlainText(), QStringLiteral("@*2"));
    for (const char* line : {"!res_frac", "b:=1/3"}) {
        QTest::keyClick(t.con(), Qt::Key_Up);
        QCOMPARE(t.con()->toPlainText(), QLatin1String(line));
    }
    t.lambda()->clear();
    QTest::keyClick(t.lambda(), Qt::Key_Up);
    QCOMPARE(t.lambda()->toPlainText(), QStringLiteral("@*2"));
    t.lambda()->clear();
    t.fEnter(QStringLiteral("a*2"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("10 [m]"));
    t.fEnter(QStringLiteral("b"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("1/3"));
    QCOMPARE(t.splitter()->sizes().value(0), 4);
    QTest::mouseDClick(t.splitter()->handle(1), Qt::LeftButton, {},
                       t.splitter()->handle(1)->rect().center());
    t.w->resize(600, 500);
    QVERIFY(t.w->close());
    TWindow u({}, true);
    QVERIFY(u.fOpen());
    QCOMPARE(u.w->size(), QSize(600, 500));
    QCOMPARE(u.splitter()->sizes().value(0), 113);
    QCOMPARE(u.splitter()->sizes(), t.splitter()->sizes());
    QTest::mouseDClick(u.splitter()->handle(1), Qt::LeftButton, {},
                       u.splitter()->handle(1)->rect().center());
    QCOMPARE(u.splitter()->sizes().value(0), 4);
}

void StateTest::damagedFiles_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("earlier");  // names this second and the next two are taken
    QTest::newRow("truncated") << "truncated" << false;
    QTest::newRow("garbage") << "garbage" << false;
    QTest::newRow("earlier set-aside files kept") << "garbage" << true;
    QTest::newRow("not an object") << "array" << false;
    QTest::newRow("version 2") << "version 2" << false;
    QTest::newRow("bad value") << "bad value" << false;
    QTest::newRow("fractional zoom") << "fractional zoom" << false;
    QTest::newRow("no zoom (an older file) reads") << "no zoom" << false;
    QTest::newRow("directory") << "directory" << false;
}

// Each damaged file is moved aside unchanged with a warning naming its new place, and the
// window starts fresh and saves again.
void StateTest::damagedFiles() {
    QFETCH(QString, damage);
    QFETCH(bool, earlier);
    TStateHome home;
    {
        TWindow t({}, true);
        QVERIFY(t.fOpen());
        t.fEnter(QStringLiteral("a:=5m"));
    }
    QByteArray data = fRead(home.file());
    QVERIFY(data.contains("\"version\": 1") && data.contains("\"zoom\": 0"));
    if (damage == QStringLiteral("truncated")) data.truncate(data.size() / 2);
    if (damage == QStringLiteral("garbage")) data = QByteArray("\x00\xff{{ not json", 14);
    if (damage == QStringLiteral("array")) data = "[1, 2]";
    if (damage == QStringLiteral("version 2")) data.replace("\"version\": 1", "\"version\": 2");
    if (damage == QStringLiteral("fractional zoom")) data.replace("\"zoom\": 0", "\"zoom\": 1.5");
    if (damage == QStringLiteral("no zoom"))
        data = QString::fromUtf8(data).remove(QRegularExpression(R"(,\s*"zoom": 0)")).toUtf8();
    if (damage == QStringLiteral("no zoom")) QVERIFY(!data.contains("zoom"));
    if (damage == QStringLiteral("bad value"))
        data = QString::fromUtf8(data)
                   .replace(QRegularExpression(R"("value": "[^"]*")"), R"("value": "5 m")")
                   .toUtf8();
    QFile::remove(home.file());
    if (damage == QStringLiteral("directory"))
        QVERIFY(QDir().mkpath(home.file() + QStringLiteral("/inside")));
    else
        fWrite(home.file(), data);
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; earlier && i < 3; ++i)
        fWrite(home.file() + now.addSecs(i).toString(QStringLiteral(".'damaged'-yyyyMMdd-HHmmss")),
               "earlier");
    const QStringList before = home.setAside();

    TWindow t({}, true);
    QVERIFY(t.fOpen());
    if (damage == QStringLiteral("no zoom")) {
        t.fEnter(QStringLiteral("a"));
        QCOMPARE(t.result()->toPlainText(), QStringLiteral("5 [m]"));
        return;
    }
    QStringList moved = home.setAside();
    for (const QString& name : before) {
        QVERIFY(moved.removeOne(name));
        QCOMPARE(fRead(home.dir.filePath("tavelko/" + name)), QByteArray("earlier"));
    }
    QCOMPARE(moved.size(), 1);
    QVERIFY(QRegularExpression(R"(^window\.json\.damaged-\d{8}-\d{6}(-\d+)?$)")
                .match(moved[0])
                .hasMatch());
    const QString movedPath = home.dir.filePath("tavelko/" + moved[0]);
    QVERIFY2(fLastLine(t).startsWith(QStringLiteral("前回の状態")), qPrintable(fLastLine(t)));
    QVERIFY(fLastLine(t).contains(movedPath));
    if (damage == QStringLiteral("directory"))
        QVERIFY(QFileInfo(movedPath + QStringLiteral("/inside")).isDir());
    else
        QCOMPARE(fRead(movedPath), data);
    QVERIFY(!QFileInfo::exists(home.file()));
    t.fEnter(QStringLiteral("a"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("未定義変数: a"));
    t.fEnter(QStringLiteral("1+1"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("2"));
    QVERIFY(fRead(home.file()).contains("\"1+1\""));
}

// A damaged file whose set-aside name would pass the longest path the system takes
// cannot be moved: it stays as it is and this session saves nothing.
void StateTest::unmovableFileIsLeftAlone() {
    TStateHome home;
    QString deep = home.dir.path();
    const int target = 4090 - int(QStringLiteral("/tavelko/window.json").size());
    while (deep.size() < target)
        deep += u'/' + QString(std::min<qsizetype>(200, target - deep.size() - 1), u'd');
    QVERIFY(QDir().mkpath(deep + QStringLiteral("/tavelko")));
    qputenv("XDG_STATE_HOME", deep.toUtf8());
    const QString file = deep + QStringLiteral("/tavelko/window.json");
    fWrite(file, "garbage");
    TWindow t({}, true);
    QVERIFY(t.fOpen());
    QVERIFY2(fLastLine(t).contains(file), qPrintable(fLastLine(t)));
    t.fEnter(QStringLiteral("1+1"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("2"));
    QVERIFY(t.w->close());
    QCOMPARE(fRead(file), QByteArray("garbage"));
    QCOMPARE(QDir(deep + QStringLiteral("/tavelko")).entryList(QDir::Files),
             QStringList{QStringLiteral("window.json")});
}

// "--fresh" neither uses nor touches the file; "!reset" removes it until something changes.
void StateTest::resetAndFresh() {
    TStateHome home;
    TWindow t({}, true);
    QVERIFY(t.fOpen());
    t.fEnter(QStringLiteral("a:=5m"));
    const QByteArray saved = fRead(home.file());
    {
        TWindow f({QStringLiteral("--fresh")}, true);
        QVERIFY(f.fOpen());
        f.fEnter(QStringLiteral("a"));
        QCOMPARE(f.result()->toPlainText(), QStringLiteral("未定義変数: a"));
        f.fEnter(QStringLiteral("c:=1"));
        QVERIFY(f.w->close());
    }
    QCOMPARE(fRead(home.file()), saved);
    t.fEnter(QStringLiteral("!reset"));
    QVERIFY(!QFileInfo::exists(home.file()));
    t.fEnter(QStringLiteral("1+"));  // an error changes nothing: nothing is written
    QVERIFY(!QFileInfo::exists(home.file()));
    t.fEnter(QStringLiteral("c:=2"));
    QVERIFY(QFileInfo::exists(home.file()));
    TWindow u({}, true);
    QVERIFY(u.fOpen());
    u.fEnter(QStringLiteral("c+1"));
    QCOMPARE(u.result()->toPlainText(), QStringLiteral("3"));
    u.fEnter(QStringLiteral("a"));
    QCOMPARE(u.result()->toPlainText(), QStringLiteral("未定義変数: a"));
    QCOMPARE(home.setAside(), QStringList());
}

// A directory that cannot be made (a file has its name): the first failure is reported.
void StateTest::failedSaveIsReportedOnce() {
    TStateHome home;
    fWrite(home.dir.filePath("tavelko"), "in the way");
    TWindow t({}, true);
    QVERIFY(t.fOpen());
    t.fEnter(QStringLiteral("1+1"));
    QVERIFY2(fLastLine(t).startsWith(QStringLiteral("状態を保存できませんでした")),
             qPrintable(fLastLine(t)));
    QVERIFY(t.result()->toPlainText().startsWith(QStringLiteral("2\n")));
    t.fEnter(QStringLiteral("2+2"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("4"));
}

// The window is closed while a line runs (an assignment whose root is being expanded):
// it goes at once, and the line with its variable is kept once the line has stopped.
void StateTest::lineRunningAtTheCloseIsKept() {
    TStateHome home;
    {
        TWindow t({}, true);
        QVERIFY(t.fOpen());
        t.fEnter(QStringLiteral("q:=5"));
        t.con()->setPlainText(QStringLiteral("r:=2^(1/2)"));
        QTest::keyClick(t.con(), Qt::Key_Return);
        QTest::qWait(300);
        QVERIFY(t.w->f計算中());
        t.w->close();
        QVERIFY(!t.w->isVisible());
    }
    TWindow u({}, true);
    QVERIFY(u.fOpen());
    u.fEnter(QStringLiteral("q+r^2"));
    QCOMPARE(u.result()->toPlainText(), QStringLiteral("7"));
    QTest::keyClick(u.con(), Qt::Key_Up);
    QTest::keyClick(u.con(), Qt::Key_Up);
    QCOMPARE(u.con()->toPlainText(), QStringLiteral("r:=2^(1/2)"));
}

QTEST_MAIN(StateTest)
#include "state_test.moc"
