#include "WindowCommands.h"

#include <QAction>
#include <QListWidget>

namespace parlanza {

namespace {

enum Menu : unsigned
{
    Speech = 1,
    History = 2,
    Bases = 4
};

struct Command
{
    const char *name; // the action's object name; none: a separator
    const char *caption;
    QKeySequence shortcut;
    unsigned menus;
    Qt::ShortcutContext reach; // WindowShortcut: the key works anywhere in the window
    bool checkable = false;
};

// The menus show their commands in this order. Keys: CTRL+C copies what has the focus (the history list
// claims it for its chosen entries); the others are window-wide.
QList<Command> commandTable()
{
    return {
        {"copySpeech", "Copiar el discurso", QKeySequence::Copy, Speech, Qt::WindowShortcut},
        {"copyEntries", "Copiar los discursos elegidos", QKeySequence::Copy, History, Qt::WidgetShortcut},
        {nullptr, nullptr, {}, Speech | History, Qt::WidgetShortcut},
        {"leerEnVozAlta", "Leer en voz alta", Qt::CTRL | Qt::Key_L, Speech | History, Qt::WindowShortcut},
        {"leerCadaDiscurso", "Leer cada discurso nuevo", Qt::CTRL | Qt::SHIFT | Qt::Key_L, Speech | History,
         Qt::WindowShortcut, true},
        {"callar", "Callar", Qt::CTRL | Qt::Key_Period, Speech | History, Qt::WindowShortcut},
        {"vozDeLectura", "&Voz…", {}, Speech | History, Qt::WidgetShortcut},
        // Stands in for the reading commands' reason when there is no voice: what to install.
        {"sinVoz", "", {}, Speech | History, Qt::WidgetShortcut},
        {nullptr, nullptr, {}, Speech | History, Qt::WidgetShortcut},
        {"printSpeech", "Imprimir el discurso…", QKeySequence::Print, Speech, Qt::WindowShortcut},
        {"printEntries", "Imprimir los discursos elegidos…", {}, History, Qt::WidgetShortcut},
        {"readFullScreen", "Leer en pantalla completa", Qt::Key_F11, Speech, Qt::WindowShortcut},
        {nullptr, nullptr, {}, Speech | Bases, Qt::WidgetShortcut},
        {"nuevaBase", "Nueva base…", Qt::CTRL | Qt::Key_N, Speech | Bases, Qt::WindowShortcut},
        {"editarEstaBase", "Editar esta base…", {}, Bases, Qt::WidgetShortcut},
        {"editarBaseEnUso", "Editar la base en uso…", Qt::CTRL | Qt::Key_E, Speech, Qt::WindowShortcut},
    };
}

} // namespace

WindowCommands::WindowCommands(const Controls &controls) : QObject(controls.window)
{
    const std::pair<Menu, QWidget *> menus[] = {
        {Speech, controls.speech}, {History, controls.history}, {Bases, controls.bases}};
    for (const Command &command : commandTable()) {
        auto *action = new QAction(QString::fromUtf8(command.caption), this);
        if (command.name) {
            action->setObjectName(QString::fromLatin1(command.name));
            action->setShortcut(command.shortcut);
            action->setShortcutContext(command.reach);
            action->setShortcutVisibleInContextMenu(true);
            action->setCheckable(command.checkable);
        } else {
            action->setSeparator(true);
        }
        for (const auto &[menu, widget] : menus) {
            if (command.menus & menu) {
                widget->setContextMenuPolicy(Qt::ActionsContextMenu);
                widget->addAction(action);
            }
        }
        if (command.reach == Qt::WindowShortcut && !command.shortcut.isEmpty())
            controls.window->addAction(action);
    }
}

QAction *WindowCommands::action(const char *name) const
{
    auto *found = findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(found, "WindowCommands::action", name);
    return found;
}

} // namespace parlanza
