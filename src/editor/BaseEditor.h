#pragma once

#include "core/BaseFileTarget.h"
#include "core/ListsDraft.h"

#include <QWidget>
#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace parlanza {

class EditorQuestions;
class ListsEdit;
class MessageBoxes;
class RandomSource;

// The window that writes a premise base as plain lists: the lists with their line numbers, the problems that
// keep them from making a base, a sample speech and the count of speeches they allow. Saving appends a new
// base to the premise base file or replaces the edited one, as the companion does, and tells whoever opened
// the window through saved().
class BaseEditor : public QWidget
{
    Q_OBJECT

public:
    struct Services
    {
        MessageBoxes *messages = nullptr;
        EditorQuestions *questions = nullptr;
        RandomSource *random = nullptr;
    };

    // What is edited: a new base (no number), or base `number` given as plain lists.
    struct Base
    {
        std::optional<int> number;
        QString title;
        QString lists;
    };

    BaseEditor(const Services &services, BaseFileTarget target, const Base &base, QWidget *parent = nullptr);

    static QString titleFor(const Base &base);
    const ListsDraft &draft() const { return m_draft; }

    // Checks the lists as they stand now, without waiting for the pause in typing.
    void review();
    bool save();
    void otherSpeech();
    void openLists();
    void saveListsAs();
    void showProblem(QListWidgetItem *item);

signals:
    // A base was written into the premise base file: the number it has there.
    void saved(int number);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    QString listsName() const;
    void readFile();
    void showDraft();
    void addProblem(qsizetype line, const QString &message);
    // Runs a step; a failure is shown in a message box and never leaves the handler.
    template<typename Step>
    bool guarded(Step &&step);

    Services m_services;
    BaseFileTarget m_target;
    Base m_base;
    ListsDraft m_draft;
    std::optional<QByteArray> m_fileBytes; // the premise base file as last read or written

    ListsEdit *m_lists = nullptr;
    QListWidget *m_problems = nullptr;
    QLabel *m_sample = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_otherSpeech = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_saveAs = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
    QTimer *m_pause = nullptr;
};

} // namespace parlanza
