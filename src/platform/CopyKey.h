#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace parlanza {

// Makes the copy keys (CTRL+C and the platform's other copy keys) on a list run the given action instead of
// the list's own copy, which takes only the current row as shown. The list claims the keys before any
// window-wide shortcut can, so a window's own CTRL+C does not clash with it.
class CopyKey : public QObject
{
    Q_OBJECT

public:
    CopyKey(QWidget *view, QAction *action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *m_action;
};

} // namespace parlanza
