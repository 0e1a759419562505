#include "Module1.h"

#include "platform/IniFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>

#include <algorithm>
#include <iterator>

namespace Module1 {

namespace {

using Setter = void (*)(QObject &control, const QString &text);

void setLabelCaption(QObject &control, const QString &text)
{
    auto &label = static_cast<QLabel &>(control);
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
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
};

const Kind kinds[] = {
        {&QLabel::staticMetaObject, setLabelCaption, setToolTip},
        {&QAbstractButton::staticMetaObject, setButtonCaption, setToolTip},
        {&QAction::staticMetaObject, setItemCaption, nullptr},
        {&QMenu::staticMetaObject, setMenuCaption, nullptr},
        {&QLineEdit::staticMetaObject, nullptr, setToolTip},
        {&QComboBox::staticMetaObject, setListCaption, setToolTip},
};

// Calls visit(control, setter, key) for every text the form's controls take. Controls come in
// creation order: setupUi creates them depth first in .ui order, the order findChildren walks.
template<typename Visit> void forEachText(QWidget &form, Visit visit)
{
    for (QObject *control : form.findChildren<QObject *>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_")) // Qt's own parts of a control
            continue;
        const auto kind = std::find_if(std::begin(kinds), std::end(kinds), [control](auto &k) {
            return control->metaObject()->inherits(k.type);
        });
        if (kind == std::end(kinds))
            continue;
        // A caption changes an item's text and access key, never its kind: a separator stays
        // one and shows no text. A list takes one only for a first item that the form marks
        // as text rather than a value, such as "any other".
        const auto *item = qobject_cast<QAction *>(control);
        const bool captioned = !qobject_cast<QComboBox *>(control)
                || control->property("firstItemIsCaption").toBool();
        if (kind->caption && captioned && !(item && item->isSeparator()))
            visit(*control, kind->caption, name + QStringLiteral(".Caption"));
        if (kind->toolTip)
            visit(*control, kind->toolTip, name + QStringLiteral(".ToolTipText"));
    }
}

} // namespace

void ApplyLanguage(QWidget &form, const QString &folder)
{
    const QString path = platform::FindLanguageFile(folder);
    if (path.isEmpty())
        return;
    // Parsed once per call and not kept, so an edited file shows at the next call; only the
    // form's own keys are kept from it.
    const QString section = form.objectName();
    QSet<QString> wanted;
    for (const QString &key : LanguageKeys(form))
        wanted.insert(platform::IniKey(section, key));
    const platform::IniValues ini = platform::ReadIniFile(path, wanted);
    forEachText(form, [&ini, &section](QObject &control, Setter set, const QString &key) {
        if (const std::optional<QString> value = platform::IniValue(ini, section, key))
            set(control, *value);
    });
}

QStringList LanguageKeys(QWidget &form)
{
    QStringList keys;
    forEachText(form, [&keys](QObject &, Setter, const QString &key) { keys += key; });
    return keys;
}

} // namespace Module1
