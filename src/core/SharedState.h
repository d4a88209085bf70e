#pragma once

#include <QString>
#include <QStringView>
#include <array>

namespace parlanza {

// The two ways of joining premises: one per line (the default) or run on in one paragraph.
inline constexpr QStringView kSeparatedPremises = u" ...\r\n";
inline constexpr QStringView kJoinedPremises = u" ";

inline constexpr int kDefaultPause = 2000;

// The main window's state, shared by start-up, the base selection, the composer and the pacing handlers.
struct SharedState
{
    // The program's directory, ending with "/"; data file names are appended to it.
    QString dire;
    // Appended after every premise of a speech.
    QString separator = kSeparatedPremises.toString();
    // The speech on display. Wider than the 16-bit counters so that passing 32767 is caught when it is
    // converted.
    qint64 speechNumber = 0;
    // The last speech composed.
    qint16 speechCount = 0;
    // Milliseconds between two automatic speeches, 100 to 30000.
    int pause = kDefaultPause;
    bool autoMode = false;
    // Lines of the premise base file, counted at start-up; the base selection reads this many.
    qint16 lineCount = 0;
    // Columns 1 to 5 of the selected header line, then "-" and the group count in two digits: "DD002-03".
    QString baseTag;
    // The selected header line before its "|".
    QString baseSpec;
    // Premise count of each group of the selected base; element 0 serves no group.
    std::array<qint16, 11> groupSizes{};
    // Makes the next base selection pick the first base of the list.
    bool firstBasePending = false;
};

} // namespace parlanza
