// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QWindow>

namespace accessibility {

namespace {

// Plain text is one run of equal attributes from its start to its end.
QString wholeRun(int offset, int count, int *startOffset, int *endOffset)
{
    const bool inside = offset >= 0 && offset <= count;
    *startOffset = inside ? 0 : -1;
    *endOffset = inside ? count : -1;
    return {};
}

// A single-line box without formatting. The toolkit's own interface answers a screen reader's
// question for the run of equal attributes with an empty run, and Orca then drops the last
// character of what it speaks; here the whole text is one run, and a line is the whole text
// wherever the caret stands, its end included.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit LineEditAccessible(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText)
    { }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->text();
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            box()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }

    // Text
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset < 0 || startOffset > endOffset)
            return {};
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override
    {
        const int count = characterCount();
        const bool wholeLine = boundaryType == QAccessible::LineBoundary
                || boundaryType == QAccessible::ParagraphBoundary
                || boundaryType == QAccessible::NoBoundary;
        if (wholeLine && offset >= 0 && offset <= count) {
            *startOffset = 0;
            *endOffset = count;
            return box()->text();
        }
        return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QString text = box()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        // Measured from the caret, which already carries the scrolling and the alignment.
        const QFontMetrics metrics(box()->font());
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset))
                - metrics.horizontalAdvance(text.left(box()->cursorPosition()));
        const QRect local(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)),
                          caret.height());
        return local.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        return wholeRun(offset, characterCount(), startOffset, endOffset);
    }

    // Editable text: edits go through setText, so the box's validator sees none of them;
    // they are judged as a paste is, by the box's own change handling.
    void deleteText(int startOffset, int endOffset) override
    {
        box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString &text) override
    {
        box()->setText(box()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

// A list that shows one item: its text is the item it shows. The toolkit gives a screen reader
// no way to the current item of a closed list, so Orca reads neither it on focus nor its change.
// A name given on purpose wins over the label beside the list, which two lists may share.
class ComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ComboAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox)
    {
        QObject::connect(list, &QComboBox::currentTextChanged, list, [this](const QString &now) {
            // Told as an insertion alone: Orca would say "selection deleted" before the item.
            QAccessibleTextInsertEvent event(widget(), 0, now);
            QAccessible::updateAccessibility(&event);
        });
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        // As the toolkit does here, a list without a name of its own is named by its item and
        // labelled by the label beside it.
        const bool item = t == QAccessible::Value
                || (t == QAccessible::Name && list()->accessibleName().isEmpty());
        return item ? list()->currentText() : QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(
            QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (!list()->accessibleName().isEmpty())
            found.removeIf([](const auto &r) { return r.second & QAccessible::Label; });
        return found;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

    // Text: the current item, read only, wholly selected as the choice it is; Orca speaks a
    // change of a text that is selected, where it would drop one it sees no cause for.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = selectionIndex == 0 ? characterCount() : 0;
    }
    int selectionCount() const override { return characterCount() > 0 ? 1 : 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override { }
    void removeSelection(int /*selectionIndex*/) override { }
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override { }
    QString text(int startOffset, int endOffset) const override
    {
        return startOffset < 0 || startOffset > endOffset
                ? QString()
                : list()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(list()->currentText().size()); }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint & /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override { }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        return wholeRun(offset, characterCount(), startOffset, endOffset);
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

// The toolkit reports a menu item with a check mark as a plain item that cannot be checked, so a
// screen reader says "checked" but never "not checked": such an item here is a check box. The
// menu and its other items come along, since the toolkit's menu counts only its own items.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuItemAccessible(QMenu *menu, QAction *action) : m_menu(menu), m_action(action) { }

    bool isValid() const override { return m_menu && m_action; }
    QObject *object() const override { return m_action; }
    QWindow *window() const override { return m_menu->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_menu);
    }
    QAccessibleInterface *child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface * /*child*/) const override { return -1; }
    QAccessibleInterface *childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QString(m_action->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (t == QAccessible::Accelerator)
            return m_action->shortcut().toString(QKeySequence::NativeText);
        return {};
    }
    void setText(QAccessible::Text /*t*/, const QString & /*text*/) override { }
    QRect rect() const override
    {
        return m_menu->actionGeometry(m_action).translated(m_menu->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override
    {
        if (m_action->isSeparator())
            return QAccessible::Separator;
        return m_action->isCheckable() ? QAccessible::CheckBox : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_menu->isVisible() || !m_action->isVisible();
        state.focusable = !m_action->isSeparator();
        state.focused = m_menu->activeAction() == m_action;
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        state.disabled = !m_action->isEnabled();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                 : nullptr;
    }

    QStringList actionNames() const override
    {
        if (m_action->isSeparator())
            return {};
        return {m_action->isCheckable() ? toggleAction() : pressAction()};
    }
    void doAction(const QString &actionName) override
    {
        if (actionNames().contains(actionName) && m_action->isEnabled())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString & /*actionName*/) const override { return {}; }

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

class MenuAccessible : public QAccessibleWidget
{
public:
    explicit MenuAccessible(QMenu *menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) { }

    int childCount() const override { return static_cast<int>(menu()->actions().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QAction *> actions = menu()->actions();
        return index >= 0 && index < actions.size()
                ? QAccessible::queryAccessibleInterface(actions.at(index))
                : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(menu()->actions().indexOf(child->object())) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QAction *action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
        return action ? QAccessible::queryAccessibleInterface(action) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        QAction *action = menu()->activeAction();
        return action ? QAccessible::queryAccessibleInterface(action) : nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? menu()->title().remove(u'&') : QAccessibleWidget::text(t);
    }

private:
    QMenu *menu() const { return static_cast<QMenu *>(widget()); }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == u"QComboBox" && !static_cast<QComboBox *>(object)->isEditable())
        return new ComboAccessible(static_cast<QComboBox *>(object));
    if (className == u"QLineEdit")
        return new LineEditAccessible(static_cast<QLineEdit *>(object));
    if (className == u"QMenu")
        return new MenuAccessible(static_cast<QMenu *>(object));
    if (className == u"QAction") {
        auto *action = static_cast<QAction *>(object);
        for (QObject *owner : action->associatedObjects())
            if (auto *menu = qobject_cast<QMenu *>(owner))
                return new MenuItemAccessible(menu, action);
    }
    return nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// News that a screen reader speaks as it appears. The toolkit reports a changed description or
// name without the new text, which Orca 43 cannot speak; a notification it reads itself.
class NotificationAccessible : public QAccessibleObject
{
public:
    NotificationAccessible(QObject *anchor, QWidget &owner)
        : QAccessibleObject(anchor), m_owner(&owner)
    { }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Name)
            m_text = text;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_text : QString();
    }
    QWindow *window() const override { return m_owner ? m_owner->windowHandle() : nullptr; }
    QRect rect() const override
    {
        return m_owner ? QRect(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size()) : QRect();
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_owner);
    }
    QAccessibleInterface *child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface * /*child*/) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> m_owner;
    QString m_text;
};
#endif

} // namespace

void install()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed)
}

void Announcer::say(const QString &text)
{
    if (text == m_said)
        return;
    m_said = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&m_owner, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(&m_anchor);
    if (!notification) {
        notification = new NotificationAccessible(&m_anchor, m_owner);
        QAccessible::registerAccessibleInterface(notification);
    }
    notification->setText(QAccessible::Name, text);
    QAccessibleEvent event(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
#endif
}

} // namespace accessibility
