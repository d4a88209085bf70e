#include "ActivatableLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace parlanza {

namespace {

class AccessibleActivatableLabel : public QAccessibleWidget
{
public:
    explicit AccessibleActivatableLabel(ActivatableLabel *label)
        : QAccessibleWidget(label, QAccessible::Button)
    {}

    QString text(QAccessible::Text kind) const override
    {
        QString result = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && result.isEmpty())
            result = label()->text();
        return result;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit label()->activated();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ActivatableLabel *label() const { return static_cast<ActivatableLabel *>(widget()); }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String(ActivatableLabel::staticMetaObject.className()))
        return new AccessibleActivatableLabel(static_cast<ActivatableLabel *>(object));
    return nullptr;
}

} // namespace

ActivatableLabel::ActivatableLabel(QWidget *parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
    // TAB only: a mouse click leaves the focus where it was, so SPACE after a click still goes to the button
    // that had it.
    setFocusPolicy(Qt::TabFocus);
}

void ActivatableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A key held down clicks once, as a button does.
        if (!event->isAutoRepeat())
            emit activated();
        event->accept();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ActivatableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace parlanza
