// The window's state kept across runs: the input histories, the template and its pane,
// the display mode, the variables with their exact values, the window's geometry, the
// pane heights and the zoom, in one JSON file. A file that cannot be used is moved aside
// under a new name (never overwritten) and the window starts fresh; a failed save is
// reported once.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "engine/units/unit_number.h"

// One variable: its name, the saved form of its value and, once read, the value.
struct T保存変数 {
    std::u16string s名前;
    std::string s保存形;
    T単位数型 t値;  // filled by reading; states compare by name and saved form
    bool operator==(const T保存変数& o) const { return s名前 == o.s名前 && s保存形 == o.s保存形; }
};

// What the window remembers.
struct T窓状態 {
    std::vector<std::u16string> v計算式履歴;  // the input pane's, oldest first
    std::vector<std::u16string> vL式履歴;     // the template pane's, oldest first
    std::u16string sL式;                      // the template pane's text
    bool bL式開 = true;                       // the template pane is open (not collapsed)
    int32_t lL式高さ = 0;                     // the template pane's height when open
    int32_t i表示モード = 0;                  // FRAC_CMD, MIXFRAC_CMD or DEC_CMD
    std::vector<T保存変数> v変数;             // in the order they were created
    QByteArray b窓配置;                       // QWidget::saveGeometry
    QList<int> vペイン高さ;                   // template, input and result pane
    int32_t i拡大 = 0;                        // zoom steps of the panes' text
    bool operator==(const T窓状態&) const = default;
};

// The file holding the state, and what became of it this session.
class T状態ファイル {
  public:
    static constexpr int D版 = 1;  // the format version this program writes and reads

    // window.json in the program's state folder (f状態フォルダ); empty without a home.
    static QString f既定パス();

    explicit T状態ファイル(QString sパス) : sパス_(std::move(sパス)) {}

    // The saved state, or none when there is no file. A file that cannot be used is moved
    // aside with a warning; when it cannot be moved, this session saves nothing.
    std::optional<T窓状態> f読込();
    // Takes the state as the one on disk (nothing is written).
    void f保存済設定(const T窓状態& t) { t保存済_ = t; }
    // Writes the state atomically unless it equals the one on disk.
    void f保存(const T窓状態& t);
    // Removes the file; the state counts as the one on disk.
    void f消去(const T窓状態& t);
    // The warnings not yet shown, one line each; empties the list.
    QStringList f警告取出();

  private:
    // Moves the unusable file to a name not yet taken beside it, warning with s理由
    // (its "%1" becomes the new name); stops saving when the move fails.
    void f退避(const QString& s理由);
    // Records a failed write or removal; only the first since the last success warns.
    void f失敗(const QString& s詳細);

    QString sパス_;
    std::optional<T窓状態> t保存済_;
    bool b保存停止_ = false;
    bool b失敗報告済_ = false;
    QStringList v警告_;
};
