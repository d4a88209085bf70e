#pragma once

#include "PlainLists.h"
#include "platform/ProgramFiles.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace parlanza {

// The premise base file that a base written from plain lists goes into. A file the user named is read and
// written in place. Otherwise it is the program's dialogo.soy: read where the program reads it, written where
// the program writes it, so that in a system-wide install the edited file becomes the user's own copy, which
// the program reads from then on.
class BaseFileTarget
{
public:
    BaseFileTarget(ProgramFiles files, QString given);

    QString readPath() const;
    // Throws Failure naming the folder when the user's data folder cannot be made.
    QString writePath() const;

    // The file's bytes as they stand; none when it does not exist yet and `mayBeMissing`. Throws Failure
    // naming the file when it cannot be read.
    QByteArray readBytes(bool mayBeMissing) const;

    // Writes the lists as base `replacing` in its place, or as a new base after the last one: the same
    // refusals as appendBase and replaceBase, and a write that leaves the old file whole when it fails.
    BaseEdit save(std::optional<int> replacing, const PlainLists &lists) const;

private:
    ProgramFiles m_files;
    QString m_given;
};

} // namespace parlanza
