#pragma once

#include <QStringList>

namespace parlanza {

// Exit status of the companion.
enum CompanionExit : int
{
    kExitOk = 0,
    kExitFailed = 1,     // a bad option, a base that cannot be loaded or composed, errors found by --check
    kExitUnreadable = 2, // the premise base file or a lists file cannot be read
    kExitUnwritable = 3, // the premise base file could not be written; the old one is whole
    kExitNoVoice = 4,    // --voz without a speech service or a Spanish voice
};

// Runs the command-line companion with the program's arguments (the first one is the program's name).
int runCompanion(const QStringList &arguments);

} // namespace parlanza
