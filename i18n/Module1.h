#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

namespace Module1 {

/// Re-captions the controls of `form` from the language file in `folder` (the program's own
/// folder unless a test says otherwise): section = the form's object name, keys = a control's
/// object name with ".Caption" or ".ToolTipText", for the kinds of control that have them.
/// Keys missing from the file, and a missing or unreadable file, leave the texts as they are.
/// Values are plain text; "&" marks an access key.
void ApplyLanguage(QWidget &form, const QString &folder = QCoreApplication::applicationDirPath());

/// The keys ApplyLanguage() reads for `form`, in the order it reads them.
QStringList LanguageKeys(QWidget &form);

} // namespace Module1
