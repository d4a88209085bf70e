#include "BaseEditor.h"

#include "EditorQuestions.h"
#include "ListsEdit.h"
#include "platform/DesktopServices.h"
#include "platform/Failure.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <new>

namespace parlanza {

namespace {

// Long enough to let a word be typed whole, short enough to feel immediate.
constexpr int kTypingPauseMs = 250;
// Enough to work through; a list of many thousands (a whole book pasted in) would only slow every pause.
constexpr qsizetype kShownProblems = 500;

QString baseNumber(int number)
{
    return formatNumber(number, u"00");
}

QString varietyText(const QString &variety)
{
    return variety == u"1" ? QStringLiteral("Puede componer 1 discurso")
                           : QStringLiteral("Puede componer %1 discursos distintos").arg(variety);
}

QString problemCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("Las listas tienen 1 problema: no se pueden guardar.")
                      : QStringLiteral("Las listas tienen %1 problemas: no se pueden guardar.").arg(count);
}

QPushButton *makeButton(const QString &name, const QString &caption, const QKeySequence &key)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!key.isEmpty()) {
        button->setShortcut(key);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(QString(caption).remove(u'&'),
                                                         key.toString(QKeySequence::NativeText)));
    }
    return button;
}

} // namespace

BaseEditor::BaseEditor(const Services &services, BaseFileTarget target, const Base &base, QWidget *parent)
    : QWidget(parent, Qt::Window), m_services(services), m_target(std::move(target)), m_base(base)
{
    setObjectName(QStringLiteral("editorDeBases"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(titleFor(m_base) + QStringLiteral("[*]"));
    createControls();
    m_lists->setPlainText(m_base.lists);
    m_lists->document()->setModified(false);
    readFile();
    review();
    resize(780, 660);
}

QString BaseEditor::titleFor(const Base &base)
{
    if (!base.number)
        return QStringLiteral("Nueva base");
    return QStringLiteral("Base %1: %2").arg(baseNumber(*base.number), base.title);
}

void BaseEditor::createControls()
{
    m_lists = new ListsEdit;
    m_lists->setObjectName(QStringLiteral("listas"));
    m_lists->setAccessibleName(QStringLiteral("Listas de la base"));
    m_lists->setAccessibleDescription(
        QStringLiteral("La primera línea con texto es el título; después, los grupos en orden, una premisa "
                       "por línea y una línea vacía entre grupo y grupo. Las líneas que empiezan por «#» "
                       "son comentarios."));
    m_lists->setTabChangesFocus(true);
    m_problems = new QListWidget;
    m_problems->setObjectName(QStringLiteral("problemas"));
    m_problems->setAccessibleName(QStringLiteral("Problemas de las listas"));
    m_problems->setWordWrap(true);
    m_problems->setMaximumHeight(m_problems->fontMetrics().height() * 7);
    m_sample = new QLabel;
    m_sample->setObjectName(QStringLiteral("muestra"));
    m_sample->setAccessibleName(QStringLiteral("Discurso de muestra"));
    m_sample->setTextFormat(Qt::PlainText);
    m_sample->setWordWrap(true);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_sample->setFocusPolicy(Qt::StrongFocus);
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("cuenta"));
    m_count->setTextFormat(Qt::PlainText);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("estado"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    m_otherSpeech = makeButton(QStringLiteral("otroDiscurso"), QStringLiteral("Otro &discurso"), {});
    m_open = makeButton(QStringLiteral("abrirListas"), QStringLiteral("&Abrir listas…"), QKeySequence::Open);
    m_saveAs = makeButton(QStringLiteral("guardarListasComo"), QStringLiteral("Guardar listas &como…"), {});
    m_save = makeButton(QStringLiteral("guardar"), QStringLiteral("&Guardar"), QKeySequence::Save);
    m_close = makeButton(QStringLiteral("cerrar"), QStringLiteral("Cerrar"), Qt::Key_Escape);

    auto *listsLabel = new QLabel(QStringLiteral("&Listas:"));
    listsLabel->setBuddy(m_lists);
    auto *problemsLabel = new QLabel(QStringLiteral("&Problemas:"));
    problemsLabel->setBuddy(m_problems);
    auto *sampleLabel = new QLabel(QStringLiteral("Discurso de &muestra:"));
    sampleLabel->setBuddy(m_sample);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_open, m_saveAs})
        buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton *button : {m_save, m_close})
        buttons->addWidget(button);
    auto *sampleRow = new QHBoxLayout;
    sampleRow->addWidget(m_count, 1);
    sampleRow->addWidget(m_otherSpeech);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(listsLabel);
    layout->addWidget(m_lists, 3);
    layout->addWidget(problemsLabel);
    layout->addWidget(m_problems, 1);
    layout->addWidget(sampleLabel);
    layout->addWidget(m_sample);
    layout->addLayout(sampleRow);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    const QWidget *order[] = {m_lists, m_problems, m_sample, m_otherSpeech,
                              m_open,  m_saveAs,   m_save,   m_close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget *>(order[i - 1]), const_cast<QWidget *>(order[i]));

    m_pause = new QTimer(this);
    m_pause->setSingleShot(true);
    m_pause->setInterval(kTypingPauseMs);
    connect(m_pause, &QTimer::timeout, this, &BaseEditor::review);
    connect(m_lists, &QPlainTextEdit::textChanged, m_pause, qOverload<>(&QTimer::start));
    connect(m_lists->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
    connect(m_problems, &QListWidget::itemActivated, this, &BaseEditor::showProblem);
    connect(m_problems, &QListWidget::itemClicked, this, &BaseEditor::showProblem);
    connect(m_otherSpeech, &QPushButton::clicked, this, &BaseEditor::otherSpeech);
    connect(m_open, &QPushButton::clicked, this, &BaseEditor::openLists);
    connect(m_saveAs, &QPushButton::clicked, this, &BaseEditor::saveListsAs);
    connect(m_save, &QPushButton::clicked, this, &BaseEditor::save);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

template<typename Step>
bool BaseEditor::guarded(Step &&step)
{
    QString failure;
    try {
        step();
        return true;
    } catch (const Failure &error) {
        failure = error.description();
    } catch (const std::bad_alloc &) {
        failure = QStringLiteral("No queda memoria suficiente para terminar la operación.");
    } catch (const std::exception &error) {
        failure = QStringLiteral("Error inesperado: %1").arg(QString::fromLocal8Bit(error.what()));
    }
    m_services.messages->show(this, failure);
    return false;
}

QString BaseEditor::listsName() const
{
    return windowTitle().remove(QStringLiteral("[*]"));
}

void BaseEditor::readFile()
{
    // A file that cannot be read now is refused when saving, with its reason.
    try {
        m_fileBytes = m_target.readBytes(!m_base.number);
    } catch (const std::exception &) {
        m_fileBytes.reset();
    }
}

void BaseEditor::review()
{
    m_pause->stop();
    guarded([this] {
        m_draft = reviewLists(m_lists->toPlainText());
        if (m_fileBytes)
            tryInFile(m_draft, listsName(), m_target.readPath(), *m_fileBytes, m_base.number);
        showDraft();
    });
}

void BaseEditor::showDraft()
{
    m_problems->clear();
    const QList<ListProblem> &problems = m_draft.check.problems;
    for (qsizetype i = 0; i < std::min(problems.size(), kShownProblems); ++i)
        addProblem(problems[i].line, problems[i].message);
    if (problems.size() > kShownProblems)
        addProblem(0, QStringLiteral("Y %1 problemas más.").arg(problems.size() - kShownProblems));
    m_count->setText(m_draft.usable() ? varietyText(m_draft.speechVariety)
                                      : problemCount(m_draft.check.problems.size()));
    m_problems->setAccessibleDescription(m_count->text());
    otherSpeech();
}

void BaseEditor::addProblem(qsizetype line, const QString &message)
{
    auto *item = new QListWidgetItem(
        line > 0 ? QStringLiteral("Línea %1: %2").arg(QString::number(line), message) : message, m_problems);
    item->setData(Qt::UserRole, line);
    item->setToolTip(item->text());
}

void BaseEditor::otherSpeech()
{
    m_sample->setText(sampleSpeech(m_draft.check.lists, *m_services.random));
}

void BaseEditor::showProblem(QListWidgetItem *item)
{
    const qsizetype line = item ? item->data(Qt::UserRole).toLongLong() : 0;
    if (line > 0)
        m_lists->goToLine(line);
}

bool BaseEditor::save()
{
    review();
    if (!m_draft.usable()) {
        m_status->setText(
            QStringLiteral("No se ha guardado nada: corrija antes los problemas de las listas."));
        return false;
    }
    PlainLists lists = m_draft.check.lists;
    lists.path = listsName();
    BaseEdit edit;
    std::optional<ListProblem> refusal;
    const bool written = guarded([&] {
        try {
            edit = m_target.save(m_base.number, lists);
        } catch (const Failure &failure) {
            // A refusal that points at a line of the lists joins the problems, where it can be chosen; the
            // file may have changed since the lists were last tried in it.
            refusal = problemOf(failure, lists.path);
            if (refusal->line == 0)
                throw;
        }
    });
    if (refusal && refusal->line > 0) {
        addProblem(refusal->line, refusal->message);
        m_count->setText(problemCount(m_problems->count()));
    }
    if (!written || refusal) {
        m_status->setText(QStringLiteral("No se ha guardado nada."));
        return false;
    }
    m_fileBytes = edit.bytes;
    m_base.number = edit.number;
    m_base.title = edit.title;
    setWindowTitle(titleFor(m_base) + QStringLiteral("[*]"));
    m_lists->document()->setModified(false);
    m_status->setText(QStringLiteral("Base %1 guardada en %2; %3.")
                          .arg(baseNumber(edit.number), Failure::quoted(m_target.readPath()),
                               varietyText(edit.speechVariety).toLower()));
    emit saved(edit.number);
    return true;
}

void BaseEditor::openLists()
{
    const QString path = m_services.questions->listsToOpen(this);
    if (path.isEmpty())
        return;
    guarded([&] {
        const TextFile file = TextFile::read(path);
        QStringList lines;
        lines.reserve(file.lineCount());
        for (qsizetype i = 0; i < file.lineCount(); ++i)
            lines.append(file.line(i).toString());
        // Through the cursor, so that undo brings the earlier text back.
        QTextCursor cursor(m_lists->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(lines.join(u'\n'));
        review();
    });
}

void BaseEditor::saveListsAs()
{
    const QString path = m_services.questions->listsToSave(this, titleFor(m_base) + QStringLiteral(".txt"));
    if (path.isEmpty())
        return;
    guarded([&] {
        QString text = m_lists->toPlainText();
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
        TextFile::replaceWhole(path, text.toUtf8());
        m_status->setText(QStringLiteral("Listas guardadas en %1.").arg(Failure::quoted(path)));
    });
}

void BaseEditor::closeEvent(QCloseEvent *event)
{
    if (m_lists->document()->isModified()) {
        switch (m_services.questions->saveChanges(this)) {
        case EditorQuestions::Answer::Save:
            if (!save()) {
                event->ignore();
                return;
            }
            break;
        case EditorQuestions::Answer::Discard:
            break;
        case EditorQuestions::Answer::Cancel:
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace parlanza
