#pragma once

#include <QObject>

class QAction;
class QListWidget;
class QWidget;

namespace parlanza {

// Every command the main window offers beyond its menu bar, declared in one table: the items of the context
// menus of the speech label, the history list and the list of bases, in the order the menus show them, and
// their keyboard shortcuts. The parts of the window that carry out a command take its action by name.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QWidget *window = nullptr;
        QWidget *speech = nullptr;      // Label3
        QListWidget *history = nullptr; // List2
        QListWidget *bases = nullptr;   // List3
    };

    explicit WindowCommands(const Controls &controls);

    // The command of that name in the table; a name that is not there is a programming error.
    QAction *action(const char *name) const;
};

} // namespace parlanza
