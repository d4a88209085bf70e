#include "SpeechCopy.h"

#include "WindowCommands.h"
#include "core/SpeechCore.h"
#include "platform/CopyKey.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
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

SpeechCopy::SpeechCopy(const WindowCommands &commands, const ControlData &shown, QListWidget *history)
    : QObject(history), m_shown(shown), m_history(history)
{
    connect(commands.action("copySpeech"), &QAction::triggered, this, &SpeechCopy::copySpeech);
    QAction *entries = commands.action("copyEntries");
    connect(entries, &QAction::triggered, this, &SpeechCopy::copyEntries);
    history->setSelectionMode(QAbstractItemView::ExtendedSelection);
    new CopyKey(history, entries);
}

void SpeechCopy::copySpeech()
{
    QGuiApplication::clipboard()->setText(clipboardText(m_shown.speech));
}

QStringList chosenEntries(const QListWidget *history, const QStringList &entries)
{
    QList<int> rows;
    for (const QListWidgetItem *item : history->selectedItems())
        rows.append(history->row(item));
    std::sort(rows.begin(), rows.end());
    QStringList chosen;
    for (const int row : rows) {
        if (row >= 0 && row < entries.size())
            chosen.append(entries[row]);
    }
    return chosen;
}

void SpeechCopy::copyEntries()
{
    const QStringList chosen = chosenEntries(m_history, m_shown.history);
    if (!chosen.isEmpty())
        QGuiApplication::clipboard()->setText(clipboardEntries(chosen));
}

} // namespace parlanza
