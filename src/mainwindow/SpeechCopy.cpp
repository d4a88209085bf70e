#include "SpeechCopy.h"

#include "core/SpeechCore.h"
#include "platform/CopyKey.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

namespace parlanza {

QString clipboardText(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString clipboardEntries(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries) {
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
        text += clipboardText(entry);
    }
    return text;
}

SpeechCopy::SpeechCopy(QWidget *window, const ControlData &shown, QLabel *speechLabel, QListWidget *history)
    : QObject(window), m_shown(shown), m_history(history)
{
    auto *speech = new QAction(QStringLiteral("Copiar el discurso"), window);
    speech->setObjectName(QStringLiteral("copySpeech"));
    speech->setShortcut(QKeySequence::Copy);
    speech->setShortcutContext(Qt::WindowShortcut);
    connect(speech, &QAction::triggered, this, &SpeechCopy::copySpeech);
    window->addAction(speech);
    speechLabel->setContextMenuPolicy(Qt::ActionsContextMenu);
    speechLabel->addAction(speech);

    auto *entries = new QAction(QStringLiteral("Copiar los discursos elegidos"), history);
    entries->setObjectName(QStringLiteral("copyEntries"));
    entries->setShortcut(QKeySequence::Copy);
    entries->setShortcutContext(Qt::WidgetShortcut);
    connect(entries, &QAction::triggered, this, &SpeechCopy::copyEntries);
    history->setContextMenuPolicy(Qt::ActionsContextMenu);
    history->addAction(entries);
    history->setSelectionMode(QAbstractItemView::ExtendedSelection);
    new CopyKey(history, entries);
}

void SpeechCopy::copySpeech()
{
    QGuiApplication::clipboard()->setText(clipboardText(m_shown.speech));
}

void SpeechCopy::copyEntries()
{
    QList<int> rows;
    for (const QListWidgetItem *item : m_history->selectedItems())
        rows.append(m_history->row(item));
    std::sort(rows.begin(), rows.end());
    QStringList chosen;
    for (const int row : rows) {
        if (row < m_shown.history.size())
            chosen.append(m_shown.history[row]);
    }
    if (!chosen.isEmpty())
        QGuiApplication::clipboard()->setText(clipboardEntries(chosen));
}

} // namespace parlanza
