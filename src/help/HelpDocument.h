#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace parlanza {

class TextFile;

// The help document as the help window shows it, one numbered line per document line (five-character number,
// two spaces, the line untrimmed), with the index lookup, the search and the printout worked out here, away
// from the widgets.
class HelpDocument
{
public:
    static constexpr int kMaxLines = 32767;

    // A missing or unreadable document gives an empty one.
    static HelpDocument load(const QString &path);
    static HelpDocument fromBytes(const QByteArray &bytes);

    const QStringList &lines() const { return m_lines; }

    // The heading that a pick in the index leads to: the first line from position 26 on that holds, ignoring
    // case, the eight characters of the picked line from character 6. Nothing for picks outside 4 to 26.
    std::optional<int> lookup(int picked) const;

    struct Search
    {
        QList<int> matches; // every line holding the text, in order
        QString answer;     // the text, "   Nº Similitudes= " and the first 100 line numbers
    };
    // Nothing for a text of fewer than 2 characters.
    std::optional<Search> search(const QString &text) const;

    // The lines to print for the selected positions, in list order, then the closing line.
    QStringList printout(const QList<int> &selected) const;
    // The document lines at the selected positions, in list order and without their numbers, one per line.
    QString copiedText(const QList<int> &selected) const;

private:
    static HelpDocument fromText(const TextFile &document);
    // The selected lines in list order, from `column` (counted from 0) on.
    QStringList linesFrom(const QList<int> &selected, qsizetype column) const;

    QStringList m_lines;
    QStringList m_lowered;
};

} // namespace parlanza
