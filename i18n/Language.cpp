// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Language.h"

#include "platform/IniFile.h"
#include "platform/Xdg.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTextDocument>
#include <QTranslator>

#include <algorithm>
#include <iterator>
#include <memory>

namespace cambrivo {

namespace {

using Setter = void (*)(QObject &control, const QString &text);

void setLabelCaption(QObject &control, const QString &text)
{
    auto &label = static_cast<QLabel &>(control);
    label.setTextFormat(Qt::PlainText);
    if (label.buddy()) {
        label.setText(text);
        return;
    }
    // Without a buddy Qt shows the text as it stands; like a menu text, "&&" shows one "&" and
    // a lone "&" marks nothing.
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'&' || ++i < text.size())
            shown += text[i];
    label.setText(shown);
}

void setButtonCaption(QObject &control, const QString &text)
{
    static_cast<QAbstractButton &>(control).setText(text);
}

void setItemCaption(QObject &control, const QString &text)
{
    static_cast<QAction &>(control).setText(text);
}

void setMenuCaption(QObject &control, const QString &text)
{
    static_cast<QMenu &>(control).setTitle(text);
}

void setListCaption(QObject &control, const QString &text)
{
    static_cast<QComboBox &>(control).setItemText(0, text);
}

void setAccessibleName(QObject &control, const QString &text)
{
    static_cast<QWidget &>(control).setAccessibleName(text);
}

void setTitle(QObject &control, const QString &text)
{
    // Qt drops a "[*]" from a title, or shows the modified mark there; doubled, it shows as
    // written.
    static_cast<QWidget &>(control).setWindowTitle(
            QString(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void setToolTip(QObject &control, const QString &text)
{
    // Qt would take a tool tip that looks like markup for markup, and an empty paragraph for a
    // tool tip. A screen reader reads the description as it stands.
    auto &widget = static_cast<QWidget &>(control);
    widget.setToolTip(text.isEmpty() ? QString() : Qt::convertFromPlainText(text));
    widget.setAccessibleDescription(text);
}

// The texts each kind of control takes, listed rather than found by property name, which
// would also reach an amount box's contents. Lines, shapes and unlisted kinds take none.
struct Kind
{
    const QMetaObject *type;
    Setter caption;
    Setter toolTip;
    Setter accessibleName; // what a screen reader calls the control, for those it names
};

const Kind kinds[] = {
        {&QLabel::staticMetaObject, setLabelCaption, setToolTip, setAccessibleName},
        {&QAbstractButton::staticMetaObject, setButtonCaption, setToolTip, setAccessibleName},
        {&QAction::staticMetaObject, setItemCaption, nullptr, nullptr},
        {&QMenu::staticMetaObject, setMenuCaption, nullptr, setAccessibleName},
        {&QLineEdit::staticMetaObject, nullptr, setToolTip, setAccessibleName},
        {&QComboBox::staticMetaObject, setListCaption, setToolTip, setAccessibleName},
};

// Calls visit(control, setter, key) for every text the form and its controls take: a dialog
// its title, not the strip, whose title is the program's name. Controls come in creation
// order: setupUi creates them depth first in .ui order, the order findChildren walks.
template<typename Visit> void forEachText(QWidget &form, Visit visit)
{
    if (qobject_cast<QDialog *>(&form))
        visit(form, setTitle, QStringLiteral("Caption"));
    for (QObject *control : form.findChildren<QObject *>()) {
        const QString name = control->objectName();
        // Qt's own parts of a control, and controls whose text the program alone gives
        if (name.isEmpty() || name.startsWith(u"qt_") || control->property("programText").toBool())
            continue;
        const auto kind = std::find_if(std::begin(kinds), std::end(kinds), [control](auto &k) {
            return control->metaObject()->inherits(k.type);
        });
        if (kind == std::end(kinds))
            continue;
        // A caption changes an item's text and access key, never its kind: a separator stays
        // one and shows no text. A list takes one only for a first item that the form marks
        // as text rather than a value, such as "any other"; a label showing a picture none.
        const auto *item = qobject_cast<QAction *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        const bool captioned = (!qobject_cast<QComboBox *>(control)
                                || control->property("firstItemIsCaption").toBool())
                && !(label && !label->pixmap().isNull());
        if (kind->caption && captioned && !(item && item->isSeparator()))
            visit(*control, kind->caption, name + QStringLiteral(".Caption"));
        if (kind->toolTip)
            visit(*control, kind->toolTip, name + QStringLiteral(".ToolTipText"));
        if (kind->accessibleName)
            visit(*control, kind->accessibleName, name + QStringLiteral(".AccessibleName"));
    }
}

// The shipped file of each language, by ISO 639 code; the names are those administrators link.
constexpr std::pair<const char *, const char *> shippedFiles[] = {
        {"bg", "balgarski.lgf"},   {"de", "deutsch.lgf"},   {"el", "ellinika.lgf"},
        {"en", "english.lgf"},     {"es", "espanol.lgf"},   {"et", "eesti.lgf"},
        {"fi", "suomi.lgf"},       {"fr", "francais.lgf"},  {"hr", "hrvatski.lgf"},
        {"lt", "lietuviu.lgf"},    {"lv", "latviesu.lgf"},  {"mt", "malti.lgf"},
        {"nl", "nederlands.lgf"},  {"pt", "portugues.lgf"}, {"sk", "slovencina.lgf"},
        {"sl", "slovenscina.lgf"}, {"sv", "svenska.lgf"},
};

// The user's interface languages. As with gettext, the list in LANGUAGE counts only where the
// messages locale is not C or POSIX, whose texts are the built-in ones.
QStringList interfaceLanguages()
{
    QByteArray messages;
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (messages = qgetenv(variable); !messages.isEmpty())
            break;
    if (messages.isEmpty() || messages == "C" || messages == "POSIX")
        return {};
    return QLocale::system().uiLanguages();
}

// The caption's text where it can carry an access key, else an empty text.
QString accessKeyText(QObject &control)
{
    if (auto *menu = qobject_cast<QMenu *>(&control))
        return menu->title();
    const auto *label = qobject_cast<QLabel *>(&control);
    if (qobject_cast<QAbstractButton *>(&control) || qobject_cast<QAction *>(&control)
        || (label && label->buddy()))
        return control.property("text").toString();
    return {};
}

QString withoutAccessKey(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'&')
            plain += text[i];
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            plain += QStringLiteral("&&"), ++i;
    return plain;
}

// A file written before a control was added does not know that control's built-in access key.
// Where the file gives one of its captions the same key, the built-in caption loses its key, so
// that the key does what the file's author meant instead of moving between the two.
void yieldAccessKeysToFile(QWidget &form, const platform::IniValues &ini)
{
    const QString section = form.objectName();
    QSet<QKeySequence> fileKeys;
    QList<std::pair<QObject *, Setter>> builtIn;
    forEachText(form, [&](QObject &control, Setter set, const QString &key) {
        const QKeySequence accessKey = QKeySequence::mnemonic(accessKeyText(control));
        if (accessKey.isEmpty() || !key.endsWith(u".Caption"))
            return;
        if (platform::IniValue(ini, section, key))
            fileKeys += accessKey;
        else
            builtIn.append({&control, set});
    });
    for (const auto &[control, set] : std::as_const(builtIn)) {
        const QString text = accessKeyText(*control);
        if (fileKeys.contains(QKeySequence::mnemonic(text)))
            set(*control, withoutAccessKey(text));
    }
}

} // namespace

LanguageSearch DefaultSearch()
{
    const QString program = QCoreApplication::applicationDirPath();
    QStringList site = platform::XdgDirs("XDG_CONFIG_DIRS", "/etc/xdg");
    for (QString &folder : site)
        folder += QStringLiteral("/Cambrivo");
    // Installed, the program lies in a folder of its own under libexec and the shipped files
    // under share; in the build tree they lie in lang/ beside the program.
    return {program,
            platform::XdgHome("XDG_DATA_HOME", ".local/share") + QStringLiteral("/Cambrivo"),
            {program + QStringLiteral("/lang"),
             program + QStringLiteral("/" CAMBRIVO_SHIPPED_FROM_PROGRAM)},
            interfaceLanguages(),
            QLocale::languageToCode(QLocale::system().language()),
            site};
}

LanguageFile FindLanguage(const LanguageSearch &search)
{
    // The program's folder stays first, as before there were site folders: it imposes a
    // language on everyone, where a site folder gives a default that users may override.
    for (const QString &folder : QStringList{search.program, search.user} + search.site)
        if (!folder.isEmpty())
            if (QString path = platform::FindLanguageFile(folder); !path.isEmpty())
                return {path, {}};
    // Only the one file of each language is looked at, never the whole folder.
    for (const QString &tag : search.uiLanguages) {
        const QString code = tag.section(u'-', 0, 0);
        if (code == u"it")
            break;
        const auto *shipped = std::find_if(
                std::begin(shippedFiles), std::end(shippedFiles),
                [code](auto &file) { return code == QLatin1StringView(file.first); });
        if (shipped == std::end(shippedFiles))
            continue;
        for (const QString &folder : search.shipped) {
            const QString path = folder + u'/' + QLatin1StringView(shipped->second);
            if (!folder.isEmpty() && QFileInfo(path).isFile())
                return {path, code};
        }
    }
    return {{}, QStringLiteral("it")};
}

void ApplyLanguage(QWidget &form, const LanguageSearch &search)
{
    ApplyLanguage({&form}, search);
}

void ApplyLanguage(std::initializer_list<QWidget *> forms, const LanguageSearch &search)
{
    const QString path = FindLanguage(search).path;
    if (path.isEmpty())
        return;
    // Parsed once per call and not kept, so an edited file shows at the next call; only the
    // forms' own keys are kept from it.
    QSet<QString> wanted;
    for (QWidget *form : forms)
        for (const QString &key : LanguageKeys(*form))
            wanted.insert(platform::IniKey(form->objectName(), key));
    const platform::IniValues ini
            = platform::ReadIniFile(path, wanted, platform::LegacyCodePage(search.language));
    for (QWidget *form : forms) {
        const QString section = form->objectName();
        forEachText(*form, [&ini, &section](QObject &control, Setter set, const QString &key) {
            if (const std::optional<QString> value = platform::IniValue(ini, section, key))
                set(control, *value);
        });
        yieldAccessKeysToFile(*form, ini);
    }
}

QStringList LanguageKeys(QWidget &form)
{
    QStringList keys;
    forEachText(form, [&keys](QObject &, Setter, const QString &key) { keys += key; });
    return keys;
}

void TranslateToolkit(const LanguageSearch &search)
{
    const LanguageFile file = FindLanguage(search);
    QString language = file.language;
    if (language.isEmpty()) {
        const QString section = QStringLiteral("Language"), key = QStringLiteral("Code");
        language = platform::IniValue(
                           platform::ReadIniFile(file.path, {platform::IniKey(section, key)}),
                           section, key)
                           .value_or(QString());
    }
    // The program's own translations lie beside the shipped language files, for the languages
    // Debian has none for and for Portugal's Portuguese, where Debian has Brazil's; they come
    // first, and the toolkit's serve the other languages.
    const QLocale locale = language.isEmpty() ? QLocale::system() : QLocale(language);
    QStringList folders = search.shipped;
    folders += QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString &folder : folders)
        if (!folder.isEmpty()
            && translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.release());
            return;
        }
}

void SubstituteFonts()
{
    // Where Tahoma is missing, the wide default sans-serif would clip the longer captions.
    QFont::insertSubstitutions(
            QStringLiteral("Tahoma"),
            {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
}

} // namespace cambrivo
