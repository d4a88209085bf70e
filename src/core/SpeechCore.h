#pragma once

#include "PremiseBase.h"
#include "PremiseList.h"
#include "SharedState.h"
#include "platform/TextFile.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace parlanza {

class Clock;
class RandomSource;

// The list of bases: every header line of the premise base file, whole and in file order.
struct BaseList
{
    QStringList entries;
    QList<qsizetype> lines; // the 1-based file line of each entry
    int current = -1;       // the selected entry, -1 for none
    bool visible = false;
};

// What the main window shows from the core: the data behind its lists and the captions of its labels.
struct ControlData
{
    PremiseList premises; // List1, never shown: the section entries of the selected base
    QStringList history;  // List2: one history entry per speech composed
    BaseList bases;       // List3
    QString banner;       // Label2
    QString speech;       // Label3
    QString counter;      // Label4
};

// The banner that start-up shows until the first base is loaded.
QString startBanner();

inline constexpr int kMinPause = 100;
inline constexpr int kMaxPause = 30000;
inline constexpr int kPauseStep = 300;

// The counter label's text: "Nº: " and the number with a blank in the place of its sign.
QString counterText(qint64 speechNumber);

// The pause in seconds with one decimal in the locale's form, then " sg": 2000 gives "2.0 sg" or "2,0 sg".
QString pauseText(int pause, const QLocale &locale);

// The speech composition core: the premise base file, the list of bases, loading a base and composing
// speeches. Every operation works on the public state and control data, as the window's handlers do, and
// throws Failure with a Spanish description when a step fails; what was done before that step stays done.
class SpeechCore
{
public:
    SpeechCore(Clock &clock, RandomSource &random);

    SharedState state;
    ControlData controls;

    // The premise base file: "dialogo.soy" in dire, unless another file was given.
    QString premiseFile() const;
    void setPremiseFile(const QString &path) { m_premiseFile = path; }
    // Uses a premise base already read (from a pipe, say, which gives its lines only once) instead of reading
    // the file at every step; messages still name the file.
    void setPremiseText(const TextFile &text);

    // Counts the lines of the premise base file into lineCount. A file of more than 32767 lines is reported
    // once, after lineCount has been set to 32767.
    void countLines();
    // Hides the list of bases when it is shown; otherwise refills it from the file and shows it.
    void toggleBaseList();
    // Loads the selected base (the first one while firstBasePending is set) and composes a first speech.
    void selectBase();
    // After a base was written into the premise base file: reads the file again (its line count and its list
    // of bases, which stays shown or hidden as it was) and loads base `number` as a click on it in the list
    // of bases does. Throws Failure when the file no longer has that base.
    void loadWrittenBase(int number);
    // Composes one speech from the loaded base, appends its history entry and sets the speech and counter
    // texts.
    void compose();

    // The next-speech button: manual mode, numbering after the last speech composed, one speech.
    void nextSpeech();
    // A click on the mode label: the other mode, and one speech at once.
    void toggleMode();
    void lengthenPause();
    void shortenPause();
    // Shows the previous speech again and counts the counter down; false when the first speech is on display.
    bool stepBack();

private:
    void requireUsablePremises(const std::array<qint16, 11> &sizes, const std::array<qint16, 11> &starts,
                               int groupCount) const;
    QStringView drawPremise(qint16 size, qint16 start);

    Clock &m_clock;
    RandomSource &m_random;
    TextFile readPremiseFile() const;

    QString m_premiseFile;
    std::optional<TextFile> m_premiseText;
    // The group layout of the last compose, kept while baseSpec and baseTag stay the same.
    QString m_layoutSpec;
    QString m_layoutTag;
    premise::GroupLayout m_layout;
    int m_layoutGroupCount = 0;
    qsizetype m_sectionFirstLine = 0; // 1-based file line of the loaded section's header, 0 before any
};

} // namespace parlanza
