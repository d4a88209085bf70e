#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace parlanza {

class TextFile;

// A premise base written as plain lists: a title line, then the groups in order, one premise per line,
// groups parted by empty lines; lines starting with "#" are comments. Every premise keeps the line it came
// from, so that a refusal can point at it.
struct ListedPremise
{
    QString text;
    qsizetype line = 0; // 1-based
};

struct PlainLists
{
    QString path; // the file the lists come from, for messages
    QString title;
    qsizetype titleLine = 0;
    QList<QList<ListedPremise>> groups;
};

// What keeps plain lists from making a base, on the line it concerns (0: the lists as a whole).
struct ListProblem
{
    qsizetype line = 0;
    QString message;
};

struct PlainListsCheck
{
    PlainLists lists;            // as far as they could be read
    QList<ListProblem> problems; // in line order of finding; none: the lists make a base
};

// Reads plain lists and gathers every problem that readPlainLists would refuse them for, the first one first.
// An empty path makes the message for lists without a title speak of the lists rather than of a file.
PlainListsCheck checkPlainLists(const TextFile &file);

// Reads plain lists and refuses, with a Failure naming the file and line, whatever would not make a correct
// base: a premise shorter than four characters or holding "DD0", an empty group (a paragraph of comments
// alone between two groups stands for one), a title without groups, more than 10 groups, a group too large
// for its three-digit size field.
PlainLists readPlainLists(const TextFile &file);

// The lists as text: the title, then each group after an empty line, every line ended by lineEnd.
QString plainListsText(const PlainLists &lists, QStringView lineEnd);

// The lists as a file's bytes, in the encoding and line ends of the premise base file given by its bytes.
QByteArray plainListsBytes(const PlainLists &lists, const QByteArray &baseFile);

// Base `number` of a premise base file as the program reads it: its title and the premises that can be drawn,
// group by group. Throws Failure when the base is missing, cannot be loaded, or holds a premise or title that
// plain lists cannot hold (one starting with "#", one of blanks only).
PlainLists exportBase(const TextFile &file, int number);

// A premise base file changed by one base: the new file's bytes, and what the new base offers.
struct BaseEdit
{
    QByteArray bytes;
    int number = 0;
    QString title;
    QString speechVariety;
};

// Appends the lists as a new base numbered one past the last base of the file, in the file's own encoding and
// line ends (Windows-1252 and CR LF for a new, empty file). The earlier bytes stay as they are. Throws
// Failure on lists the file cannot take and on a file with errors.
BaseEdit appendBase(const QString &path, const QByteArray &existing, const PlainLists &lists);

// Puts the lists in the place of base `number`, from its header to the next header; every other byte stays.
BaseEdit replaceBase(const QString &path, const QByteArray &existing, int number, const PlainLists &lists);

} // namespace parlanza
