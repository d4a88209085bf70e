#pragma once

#include <QList>
#include <QString>

namespace parlanza {

class TextFile;

// A premise base file examined as the program would read it: what makes loading or composing fail, what can
// never be drawn, and what each base offers.
struct Finding
{
    enum class Severity
    {
        Error,
        Warning
    };
    qsizetype line = 0; // 1-based
    Severity severity = Severity::Error;
    QString message;
};

struct GroupSummary
{
    int size = 0;     // as declared in the header
    int usable = 0;   // entries of its range that can be drawn
    int distinct = 0; // different premise texts among them
};

struct BaseSummary
{
    qsizetype line = 0; // 1-based line of the header
    QString number;     // columns 4 to 5 of the header
    QString title;
    bool loadable = false;
    QList<GroupSummary> groups;
    // How many different speeches the base can compose, in decimal digits (it can pass 64 bits).
    QString speechVariety() const;
};

struct PremiseBaseReport
{
    QList<BaseSummary> bases;
    QList<Finding> findings; // in line order
    int count(Finding::Severity severity) const;
};

PremiseBaseReport checkPremiseBase(const TextFile &file);

} // namespace parlanza
