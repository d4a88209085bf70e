#pragma once

#include <QString>

class QWidget;

namespace parlanza {

// What the base editor asks the user in boxes of its own: whether to save the changes, and which file to
// read or write lists from. Behind an interface so that tests answer instead of a modal box.
class EditorQuestions
{
public:
    enum class Answer
    {
        Save,
        Discard,
        Cancel
    };

    virtual ~EditorQuestions() = default;
    // "¿Guardar los cambios?" with "Guardar", "Descartar" and "Cancelar".
    virtual Answer saveChanges(QWidget *parent) = 0;
    // The lists file to open or to write; empty when the user gives up.
    virtual QString listsToOpen(QWidget *parent) = 0;
    virtual QString listsToSave(QWidget *parent, const QString &suggested) = 0;
};

class SystemEditorQuestions final : public EditorQuestions
{
public:
    Answer saveChanges(QWidget *parent) override;
    QString listsToOpen(QWidget *parent) override;
    QString listsToSave(QWidget *parent, const QString &suggested) override;
};

} // namespace parlanza
