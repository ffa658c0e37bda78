// A label in the input pane's lower right corner that shows the active template while the
// template pane is too low to show a line of it, so that no template changes the answers
// unseen. A click on it asks for the template pane.
#pragma once

#include <QLabel>

class QPlainTextEdit;

class T雛形標識 : public QLabel {
    Q_OBJECT
public:
    // The label lives on pane (not on its scrolling viewport) and follows the viewport's resizes.
    explicit T雛形標識(QPlainTextEdit* pane);

    // Shows s雛形, cut to fit, when b表示 and the template is not empty; else hides.
    void f設定(const QString& s雛形, bool b表示);

signals:
    // The label was clicked.
    void OnClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the text for the pane's width and puts the label in the viewport's corner.
    void f配置();

    QPlainTextEdit* pane_;
    QString s雛形_;
};
