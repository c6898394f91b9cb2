// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace platform {

namespace {

// How assistive tools see the label: a link named by its text, with the
// one action of pressing it.
class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* label = static_cast<const LinkLabel*>(widget());
        if (kind == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->activate();
    }
};

QAccessibleInterface* accessibleLink(const QString& className, QObject* object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent)
{
    [[maybe_unused]] static const bool registered = (QAccessible::installFactory(accessibleLink), true);
    // Tab reaches it; a click opens the page without moving the focus.
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::activate()
{
    emit activated();
}

bool LinkLabel::event(QEvent* event)
{
    // The form gives the label its designed colour and the window passes on
    // its palette, the desktop's, or a new one when the desktop changes.
    if (event->type() == QEvent::Polish || event->type() == QEvent::PaletteChange) {
        if (const QPalette readable = readableLinkPalette(palette()); readable != palette())
            setPalette(readable);
    }
    return QLabel::event(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            activate();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

QPalette readableLinkPalette(QPalette designed)
{
    if (designed.color(QPalette::Window).lightness() >= 128)
        return designed;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        designed.setColor(group, QPalette::WindowText, designed.color(group, QPalette::Link));
    return designed;
}

} // namespace platform
