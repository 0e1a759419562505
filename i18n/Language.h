// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

class QWidget;

namespace cambrivo {

/// Where the language file comes from, first match wins: a file in the program's own folder
/// (imposed on everyone), a file in the user's own folder, a file in each site folder in turn
/// (an administrator's default), the shipped file of the first of the user's interface
/// languages that has one (Italian has the built-in texts), each shipped folder in turn. An
/// empty folder is not searched.
struct LanguageSearch
{
    QString program{};
    QString user{};
    QStringList shipped{};
    QStringList uiLanguages{}; ///< BCP 47 tags, most wanted first, as QLocale gives them
    QString language{}; ///< the locale's, whose Windows code page reads a legacy 8-bit file
    QStringList site{};
};

/// The search of this program: its own folder, $XDG_DATA_HOME/Cambrivo, Cambrivo in each
/// folder of $XDG_CONFIG_DIRS, the shipped files in the build tree and in the installed data
/// folder, and the interface languages of the locale (none in the C and POSIX locales).
LanguageSearch DefaultSearch();

/// The file found, empty for the built-in Italian texts, and its language code when the search
/// tells it ("it" for the built-in texts, empty for a file of the program's, user's or a site
/// folder).
struct LanguageFile
{
    QString path;
    QString language;
};

LanguageFile FindLanguage(const LanguageSearch &search);

/// Re-captions the controls of `form` from the language file the search finds: section = the
/// form's object name, keys = a control's object name with ".Caption", ".ToolTipText" or
/// ".AccessibleName", for the kinds of control that have them, and "Caption" for a dialog's
/// title. A control whose "programText" property is true takes none. Keys missing from the
/// file, and a missing or unreadable file, leave the texts as they are. Values are plain text;
/// "&" marks an access key.
void ApplyLanguage(QWidget &form, const LanguageSearch &search = DefaultSearch());

/// ApplyLanguage() for several forms, from one search and one reading of the file.
void ApplyLanguage(std::initializer_list<QWidget *> forms,
                   const LanguageSearch &search = DefaultSearch());

/// The keys ApplyLanguage() reads for `form`, in the order it reads them.
QStringList LanguageKeys(QWidget &form);

/// Makes the toolkit's own texts (an amount box's edit menu) speak the language of the file
/// in use: the language the search tells, else the one the file names under [Language] Code,
/// else the user's interface language. The program's own translation in a shipped folder
/// comes before the toolkit's.
void TranslateToolkit(const LanguageSearch &search = DefaultSearch());

/// Names the stand-ins for the forms' Tahoma, whose narrow letters the captions are fitted to;
/// tahoma() does so before the first form asks for the font.
void SubstituteFonts();

} // namespace cambrivo
