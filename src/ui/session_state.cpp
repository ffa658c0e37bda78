// Reading, writing, removing and setting aside the window's state file.
#include "ui/session_state.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <utility>

#include "common/state_dir.h"
#include "engine/brelvita.h"
#include "engine/units/value_text.h"
#include "ui/history.h"
#include "ui/window_texts.h"

namespace {

const QString D形式名 = QStringLiteral("tavelko window state");

const QString RCS_破損 = QStringLiteral("前回の状態を読めませんでした。%1 に移しました。");
const QString RCS_新版 =
    QStringLiteral("前回の状態は新しい版の形式で読めませんでした。%1 に移しました。");
const QString RCS_退避不能 = QStringLiteral(
    "前回の状態 %1 を読めず、移すこともできませんでした。今回は状態を保存しません。");
const QString RCS_保存失敗 = QStringLiteral("状態を保存できませんでした（%1）。");

// The display modes under their names in the file.
struct T表示モード名 {
    int32_t iモード;
    const char* s名前;
};
constexpr T表示モード名 D表示モード名[] = {
    {FRAC_CMD, "frac"}, {MIXFRAC_CMD, "mixfrac"}, {DEC_CMD, "dec"}};

// A whole number from 0 to INT32_MAX; false for anything else.
bool f整数読込(const QJsonValue& v, int32_t& r) {
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d < 0 || d > std::numeric_limits<int32_t>::max() || d != std::floor(d))
        return false;
    r = static_cast<int32_t>(d);
    return true;
}

// A history: at most its length of non-empty strings.
bool f履歴読込(const QJsonValue& v, std::vector<std::u16string>& r) {
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() > ClsHistory::D最大履歴数) return false;
    for (const QJsonValue& e : a) {
        if (!e.isString() || e.toString().isEmpty()) return false;
        r.push_back(e.toString().toStdU16String());
    }
    return true;
}

// A display mode by its name.
bool f表示モード読込(const QJsonValue& v, int32_t& r) {
    for (const T表示モード名& m : D表示モード名) {
        if (v.toString() == QLatin1String(m.s名前)) {
            r = m.iモード;
            return true;
        }
    }
    return false;
}

// The three pane heights.
bool fペイン高さ読込(const QJsonValue& v, QList<int>& r) {
    const QJsonArray a = v.toArray();
    if (a.size() != 3) return false;
    for (const QJsonValue& e : a) {
        int32_t l = 0;
        if (!f整数読込(e, l)) return false;
        r.push_back(l);
    }
    return true;
}

// The variables, each value read back from its saved form.
bool f変数読込(const QJsonValue& v, std::vector<T保存変数>& r) {
    if (!v.isArray()) return false;
    for (const QJsonValue& e : v.toArray()) {
        const QJsonValue name = e.toObject().value(QLatin1String("name"));
        const QJsonValue value = e.toObject().value(QLatin1String("value"));
        if (!name.isString() || name.toString().isEmpty() || !value.isString()) return false;
        T保存変数 t{name.toString().toStdU16String(), value.toString().toStdString(), {}};
        if (!f単位数保存文字列読込(t.s保存形, t.t値)) return false;
        r.push_back(std::move(t));
    }
    return true;
}

// The zoom steps: absent in files from before zooming (no zoom), else a small integer.
bool f拡大読込(const QJsonValue& v, int32_t& r) {
    if (v.isUndefined()) return true;
    const double d = v.toDouble(1000);
    if (!v.isDouble() || std::abs(d) > 100 || d != std::floor(d)) return false;
    r = static_cast<int32_t>(d);
    return true;
}

// The window's geometry, in base 64.
bool f窓配置読込(const QJsonValue& v, QByteArray& r) {
    const auto decoded = QByteArray::fromBase64Encoding(v.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!v.isString() || !decoded) return false;
    r = *decoded;
    return true;
}

// The state in a file of version D版; none for anything else. l版 gets the file's
// version when it has a well-formed one.
std::optional<T窓状態> f状態復号(const QByteArray& data, int32_t& l版) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    const QJsonObject o = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        o.value(QLatin1String("format")) != D形式名 ||
        !f整数読込(o.value(QLatin1String("version")), l版) || l版 != T状態ファイル::D版)
        return std::nullopt;
    T窓状態 t;
    const QJsonValue tmpl = o.value(QLatin1String("template"));
    const QJsonValue open = o.value(QLatin1String("templatePaneOpen"));
    if (!tmpl.isString() || !open.isBool() ||
        !f履歴読込(o.value(QLatin1String("inputHistory")), t.v計算式履歴) ||
        !f履歴読込(o.value(QLatin1String("templateHistory")), t.vL式履歴) ||
        !f整数読込(o.value(QLatin1String("templatePaneHeight")), t.lL式高さ) ||
        !f表示モード読込(o.value(QLatin1String("displayMode")), t.i表示モード) ||
        !fペイン高さ読込(o.value(QLatin1String("paneSizes")), t.vペイン高さ) ||
        !f変数読込(o.value(QLatin1String("variables")), t.v変数) ||
        !f窓配置読込(o.value(QLatin1String("geometry")), t.b窓配置) ||
        !f拡大読込(o.value(QLatin1String("zoom")), t.i拡大))
        return std::nullopt;
    t.sL式 = tmpl.toString().toStdU16String();
    t.bL式開 = open.toBool();
    return t;
}

// A history as a JSON array.
QJsonArray f文字列配列(const std::vector<std::u16string>& v) {
    QJsonArray a;
    for (const std::u16string& s : v) a.append(QString::fromStdU16String(s));
    return a;
}

// The file's text: an indented JSON object.
QByteArray f状態符号化(const T窓状態& t) {
    QJsonObject o;
    o.insert(QLatin1String("format"), D形式名);
    o.insert(QLatin1String("version"), T状態ファイル::D版);
    for (const T表示モード名& m : D表示モード名) {
        if (m.iモード == t.i表示モード)
            o.insert(QLatin1String("displayMode"), QLatin1String(m.s名前));
    }
    o.insert(QLatin1String("template"), QString::fromStdU16String(t.sL式));
    o.insert(QLatin1String("templatePaneOpen"), t.bL式開);
    o.insert(QLatin1String("templatePaneHeight"), t.lL式高さ);
    o.insert(QLatin1String("paneSizes"),
             QJsonArray{t.vペイン高さ.value(0), t.vペイン高さ.value(1), t.vペイン高さ.value(2)});
    o.insert(QLatin1String("inputHistory"), f文字列配列(t.v計算式履歴));
    o.insert(QLatin1String("templateHistory"), f文字列配列(t.vL式履歴));
    QJsonArray vars;
    for (const T保存変数& v : t.v変数) {
        vars.append(QJsonObject{{QLatin1String("name"), QString::fromStdU16String(v.s名前)},
                                {QLatin1String("value"), QString::fromStdString(v.s保存形)}});
    }
    o.insert(QLatin1String("variables"), vars);
    o.insert(QLatin1String("geometry"), QString::fromLatin1(t.b窓配置.toBase64()));
    o.insert(QLatin1String("zoom"), t.i拡大);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

// The whole content of a regular file; false when it cannot be read.
bool fファイル読込(const QString& sパス, QByteArray& r) {
    QFile file(sパス);
    if (!QFileInfo(sパス).isFile() || !file.open(QIODevice::ReadOnly)) return false;
    r = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Something (even a dangling link) has that name.
bool f名前使用中(const QString& sパス) {
    const QFileInfo info(sパス);
    return info.exists() || info.isSymLink();
}

}  // namespace

QString T状態ファイル::f既定パス() {
    const std::string s = f状態フォルダ();
    return s.empty() ? QString() : QString::fromStdString(s + "/window.json");
}

std::optional<T窓状態> T状態ファイル::f読込() {
    if (!f名前使用中(sパス_)) return std::nullopt;
    QByteArray data;
    int32_t l版 = 0;
    std::optional<T窓状態> t;
    if (fファイル読込(sパス_, data)) t = f状態復号(data, l版);
    if (t) {
        // The values go to the session, whose thread may copy them at any time: this
        // copy keeps only what states are compared by, never a value shared with them.
        t保存済_ = t;
        for (T保存変数& v : t保存済_->v変数) v.t値 = {};
        return t;
    }
    f退避(l版 > D版 ? RCS_新版 : RCS_破損);
    return std::nullopt;
}

void T状態ファイル::f保存(const T窓状態& t) {
    if (b保存停止_ || t保存済_ == t) return;
    QString s詳細;
    const QString sディレクトリ = QFileInfo(sパス_).absolutePath();
    if (!QDir().mkpath(sディレクトリ)) {
        s詳細 = sディレクトリ + QStringLiteral(": ") + f窓訳(QStringLiteral("ディレクトリを作れません"));
    } else {
        const QByteArray data = f状態符号化(t);
        QSaveFile file(sパス_);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
            s詳細 = sパス_ + QStringLiteral(": ") + file.errorString();
    }
    if (!s詳細.isEmpty()) return f失敗(s詳細);
    t保存済_ = t;
    b失敗報告済_ = false;
}

void T状態ファイル::f消去(const T窓状態& t) {
    if (b保存停止_) return;
    QFile file(sパス_);
    if (f名前使用中(sパス_) && !file.remove())
        return f失敗(sパス_ + QStringLiteral(": ") + file.errorString());
    t保存済_ = t;
    b失敗報告済_ = false;
}

QStringList T状態ファイル::f警告取出() {
    return std::exchange(v警告_, {});
}

void T状態ファイル::f退避(const QString& s理由) {
    const QString base = sパス_ + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int i = 2; f名前使用中(target); ++i) target = base + QLatin1Char('-') + QString::number(i);
    if (QDir().rename(sパス_, target)) {
        v警告_ << f窓訳(s理由).arg(target);
        return;
    }
    b保存停止_ = true;
    v警告_ << f窓訳(RCS_退避不能).arg(sパス_);
}

void T状態ファイル::f失敗(const QString& s詳細) {
    if (b失敗報告済_) return;
    b失敗報告済_ = true;
    v警告_ << f窓訳(RCS_保存失敗).arg(s詳細);
}
