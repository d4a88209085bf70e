#include "BaseEditing.h"

#include "WindowCommands.h"
#include "core/PremiseBase.h"
#include "core/SpeechCore.h"
#include "editor/BaseEditor.h"
#include "editor/EditorQuestions.h"
#include "platform/DesktopServices.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QRandomGenerator>

namespace parlanza {

BaseEditing::BaseEditing(const WindowCommands &commands, QListWidget *bases, const SpeechCore &core,
                         const Services &services)
    : QObject(services.window), m_bases(bases), m_core(core), m_services(services),
      m_random(QRandomGenerator::global()->generate64())
{
    if (!m_services.questions) {
        m_ownQuestions = std::make_unique<SystemEditorQuestions>();
        m_services.questions = m_ownQuestions.get();
    }
    connect(commands.action("nuevaBase"), &QAction::triggered, this, &BaseEditing::newBase);
    connect(commands.action("editarEstaBase"), &QAction::triggered, this, &BaseEditing::editBaseUnderPointer);
    connect(commands.action("editarBaseEnUso"), &QAction::triggered, this, &BaseEditing::editBaseInUse);
    m_services.window->installEventFilter(this);
    bases->installEventFilter(this);
    bases->viewport()->installEventFilter(this);
}

BaseEditing::~BaseEditing()
{
    // The editor uses this object's random source and questions: it must not outlive them.
    delete m_editor;
}

bool BaseEditing::eventFilter(QObject *watched, QEvent *event)
{
    // The program ends with the main window: an editor with changes asks first, and "Cancelar" keeps both.
    if (event->type() == QEvent::Close && watched == m_services.window && m_editor && !m_editor->close()) {
        event->ignore();
        return true;
    }
    // The list's context menu is about to open: remember the entry it is opened for.
    if (event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        if (watched == m_bases->viewport())
            m_rowUnderPointer = m_bases->indexAt(menu->pos()).row();
        else if (menu->reason() != QContextMenuEvent::Mouse)
            m_rowUnderPointer = m_bases->currentRow();
    }
    return QObject::eventFilter(watched, event);
}

void BaseEditing::newBase()
{
    open(std::nullopt, QString(), QString());
}

void BaseEditing::editBaseUnderPointer()
{
    const int row = m_rowUnderPointer >= 0 ? m_rowUnderPointer : m_bases->currentRow();
    if (row >= 0 && row < m_core.controls.bases.entries.size())
        editBase(premise::baseNumberText(m_core.controls.bases.entries[row]));
}

void BaseEditing::editBaseInUse()
{
    if (m_core.state.baseTag.isEmpty()) {
        m_services.messages->show(m_services.window, QStringLiteral("No hay ninguna base en uso."));
        return;
    }
    editBase(premise::baseNumberText(m_core.state.baseTag));
}

void BaseEditing::editBase(const QString &number)
{
    if (m_editor) {
        open(std::nullopt, QString(), QString());
        return;
    }
    try {
        bool ok = false;
        const int value = number.toInt(&ok);
        if (!ok || number.size() != 2 || value < 0)
            throw Failure(QStringLiteral("La base «%1» no tiene un número que se pueda editar.").arg(number));
        const QString path = m_services.target().readPath();
        const PlainLists lists = exportBase(TextFile::read(path), value);
        open(value, lists.title, plainListsText(lists, u"\n"));
    } catch (const Failure &failure) {
        m_services.messages->show(m_services.window, failure.description());
    } catch (const std::exception &error) {
        m_services.messages->show(
            m_services.window,
            QStringLiteral("Error inesperado: %1").arg(QString::fromLocal8Bit(error.what())));
    }
}

void BaseEditing::open(const std::optional<int> &number, const QString &title, const QString &lists)
{
    if (!m_editor) {
        m_editor = new BaseEditor({m_services.messages, m_services.questions, &m_random}, m_services.target(),
                                  {number, title, lists}, m_services.window);
        connect(m_editor, &BaseEditor::saved, this, &BaseEditing::baseSaved);
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

} // namespace parlanza
