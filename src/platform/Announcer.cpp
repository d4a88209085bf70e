#include "Announcer.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QTimer>

namespace parlanza {

namespace {

class AccessibleAnnouncement final : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncement(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<const Announcer *>(widget())->text() : QString();
    }
};

QAccessibleInterface *announcementFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("parlanza::Announcer") && object->isWidgetType())
        return new AccessibleAnnouncement(static_cast<Announcer *>(object));
    return nullptr;
}

// Screen readers read a text of several lines as one.
QString oneLine(const QString &text)
{
    return text.simplified();
}

} // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(announcementFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("anuncio"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    lower();
    hide();
    window()->installEventFilter(this);
}

void Announcer::announce(const QString &text)
{
    m_text = oneLine(text);
    if (window()->isVisible() && !m_pending) {
        showAgain();
        return;
    }
    m_pending = true;
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && event->type() == QEvent::Show && m_pending)
        QTimer::singleShot(kAfterShowMs, this, [this] {
            m_pending = false;
            showAgain();
        });
    return QWidget::eventFilter(watched, event);
}

void Announcer::showAgain()
{
    // Hidden and shown again: every announcement is a new "showing" for the screen reader.
    hide();
    if (m_text.isEmpty())
        return;
    show();
    emit announced(m_text);
}

} // namespace parlanza
