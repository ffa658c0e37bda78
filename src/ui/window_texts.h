// The window's texts in the user's language. Its own texts go through the gettext
// catalogue, the Japanese texts being the message ids; Qt's own texts (the panes' context
// menus, dialogs) come from Qt's translations in the same language.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The window's text in the user's language; the text itself when it has no translation.
QString f窓訳(const QString& id);

// Whether the window speaks English: the catalogue has a translation of its title.
bool f英語表示();

// Once QApplication exists: sets the application's title, installs Qt's own texts in the
// window's language (Japanese unless English) and puts LC_NUMERIC back to "C", which
// QApplication took from the environment.
void f窓言語設定(QCoreApplication& app);

// Reads the user's units file; the lines to show for it: the lines that could not be
// used, or why an existing file could not be read. A missing file says nothing.
QStringList f利用者単位読込();
