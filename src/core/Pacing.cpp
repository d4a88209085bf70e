// The pacing and history-viewer operations of the core: the mode, the pause and stepping back.
#include "SpeechCore.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace parlanza {

QString pauseText(int pause, const QLocale &locale)
{
    return formatNumber(pause / 1000.0, u"#0.0", locale) + QStringLiteral(" sg");
}

void SpeechCore::nextSpeech()
{
    state.autoMode = false;
    state.speechNumber = state.speechCount;
    compose();
}

void SpeechCore::toggleMode()
{
    state.autoMode = !state.autoMode;
    compose();
}

void SpeechCore::lengthenPause()
{
    state.pause = std::min(state.pause + kPauseStep, kMaxPause);
}

void SpeechCore::shortenPause()
{
    state.pause = std::max(state.pause - kPauseStep, kMinPause);
}

bool SpeechCore::stepBack()
{
    if (state.speechNumber < 2)
        return false;
    // After a failed compose the number can run ahead of the history; such an entry reads as empty.
    controls.speech = controls.history.value(state.speechNumber - 2) + QStringLiteral("...\r\n");
    --state.speechNumber;
    controls.counter = counterText(state.speechNumber);
    return true;
}

} // namespace parlanza
