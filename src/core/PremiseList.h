#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace parlanza {

// The section entries of the selected base, as the hidden premise list holds them, with whether each can
// serve as a premise worked out once when it is added rather than at every draw.
class PremiseList
{
public:
    void clear();
    void append(const QString &entry);
    void reserve(qsizetype size);

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QStringList &entries() const { return m_entries; }

    // The entry at an index; an index outside the list gives the empty text.
    QStringView entry(int index) const;
    // Whether the entry at an index can serve as a premise; false outside the list.
    bool isUsable(int index) const { return index >= 0 && index < m_usable.size() && m_usable[index]; }

private:
    QStringList m_entries;
    QList<bool> m_usable;
};

} // namespace parlanza
