#pragma once

#include <QString>

namespace parlanza {

// How speeches are read aloud: the voice, its speed and tone, and the pause between premises. Speed and tone
// count as speech-dispatcher counts them, from -100 to 100 with 0 the service's default; the values a
// default-constructed choice holds are the program's own solemn declamation, slower and lower than that.
struct VoiceChoice
{
    static constexpr int kLowest = -100;
    static constexpr int kHighest = 100;
    static constexpr int kShortestPauseMs = 200;
    static constexpr int kLongestPauseMs = 2000;

    // The program's own declamation. With the end of a phrase and the start of the next, the speech service
    // adds about 0.4 s of silence to the pause.
    static constexpr int kOriginRate = -25;
    static constexpr int kOriginPitch = -30;
    static constexpr int kOriginPauseMs = 400;

    QString voice; // the speech service's name for it; empty: its default Spanish voice
    int rate = kOriginRate;
    int pitch = kOriginPitch;
    int pauseMs = kOriginPauseMs;

    bool operator==(const VoiceChoice &) const = default;

    static bool inRange(int count) { return count >= kLowest && count <= kHighest; }
    static bool pauseInRange(int ms) { return ms >= kShortestPauseMs && ms <= kLongestPauseMs; }
    // Qt's rate or pitch, from -1 to 1, for a count of speech-dispatcher's.
    static double engineValue(int count);
};

// The user's choice of voice, kept in the desktop's configuration folder and read alike by the window and the
// companion, so that both sound the same.
class VoiceSettings
{
public:
    // $XDG_CONFIG_HOME/VelarMundo/parlanza.conf, by default ~/.config/VelarMundo/parlanza.conf.
    static QString defaultPath();

    // The saved choice; what is missing or damaged (a value the program could not have written) keeps its
    // default, so a missing or unreadable file gives the default choice.
    static VoiceChoice load(const QString &path = defaultPath());
    // Throws Failure, naming the file, when it cannot be written.
    static void save(const VoiceChoice &choice, const QString &path = defaultPath());
};

} // namespace parlanza
