#include "CopyKey.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace parlanza {

CopyKey::CopyKey(QWidget *view, QAction *action) : QObject(view), m_action(action)
{
    view->installEventFilter(this);
}

bool CopyKey::eventFilter(QObject *, QEvent *event)
{
    const bool shortcutOverride = event->type() == QEvent::ShortcutOverride;
    if (shortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            key->accept();
            if (!shortcutOverride)
                m_action->trigger();
            return true;
        }
    }
    return false;
}

} // namespace parlanza
