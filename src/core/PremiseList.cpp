#include "PremiseList.h"

#include "PremiseBase.h"

namespace parlanza {

void PremiseList::clear()
{
    m_entries.clear();
    m_usable.clear();
}

void PremiseList::append(const QString &entry)
{
    m_entries.append(entry);
    m_usable.append(premise::isUsablePremise(entry));
}

void PremiseList::reserve(qsizetype size)
{
    m_entries.reserve(size);
    m_usable.reserve(size);
}

QStringView PremiseList::entry(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return {};
    return m_entries[index];
}

} // namespace parlanza
