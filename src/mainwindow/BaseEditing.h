#pragma once

#include "core/BaseFileTarget.h"
#include "editor/BaseEditor.h"
#include "platform/RandomSource.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QListWidget;
class QWidget;

namespace parlanza {

class EditorQuestions;
class MessageBoxes;
class SpeechCore;
class WindowCommands;

// The main window's way into the base editor: "Nueva base…" (CTRL+N), "Editar esta base…" for the entry of
// the list of bases under the pointer and "Editar la base en uso…" (CTRL+E). One editor at a time; asking
// again brings the open one forward. A base saved in it is announced by baseSaved().
class BaseEditing : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        QWidget *window = nullptr;
        MessageBoxes *messages = nullptr;
        EditorQuestions *questions = nullptr; // none: the desktop's own boxes
        std::function<BaseFileTarget()> target;
    };

    BaseEditing(const WindowCommands &commands, QListWidget *bases, const SpeechCore &core,
                const Services &services);
    ~BaseEditing() override;

    void newBase();
    void editBaseUnderPointer();
    void editBaseInUse();
    // The base whose header gives that number ("03"), as plain lists.
    void editBase(const QString &number);

    BaseEditor *editor() const { return m_editor; }

signals:
    void baseSaved(int number);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open(const std::optional<int> &number, const QString &title, const QString &lists);

    QListWidget *m_bases;
    const SpeechCore &m_core;
    Services m_services;
    std::unique_ptr<EditorQuestions> m_ownQuestions;
    UniformRandom m_random;
    QPointer<BaseEditor> m_editor;
    int m_rowUnderPointer = -1;
};

} // namespace parlanza
