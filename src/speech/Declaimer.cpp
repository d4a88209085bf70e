#include "Declaimer.h"

#include <QTextToSpeech>
#include <algorithm>

namespace parlanza {

namespace {

const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);

// The longest a phrase may take before it is given up: espeak-ng reads about ten characters a second at the
// rate used here.
int giveUpMs(const QString &phrase)
{
    return 5000 + 250 * static_cast<int>(std::min<qsizetype>(phrase.size(), 4000));
}

} // namespace

QString SpeechVoice::language() const
{
    // Only Spanish voices are listed. The locales' own names for it name the region twice ("español de
    // España", "español latinoamericano"): the region goes once, in brackets.
    if (locale.territory() == QLocale::AnyTerritory)
        return QStringLiteral("español");
    return QStringLiteral("español (%1)").arg(locale.nativeTerritoryName());
}

// The timers are children, so that they move to the Declaimer's thread with it.
Declaimer::Declaimer(const QString &engine, QObject *parent)
    : QObject(parent), m_engine(engine), m_pause(this), m_giveUp(this)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(m_choice.pauseMs);
    m_pause.setTimerType(Qt::PreciseTimer);
    connect(&m_pause, &QTimer::timeout, this, &Declaimer::sayNext);
    m_giveUp.setSingleShot(true);
    connect(&m_giveUp, &QTimer::timeout, this, [this] {
        if (m_waitForStop) {
            m_waitForStop = false;
            start();
        } else {
            m_speech->stop();
            end(false);
        }
    });
}

Declaimer::~Declaimer() = default;

QString Declaimer::defaultEngine()
{
    return QStringLiteral("speechd");
}

QString Declaimer::missingServiceText()
{
    return QStringLiteral(
        "No hay servicio de voz. Para oír los discursos instale speech-dispatcher y una voz en "
        "español (paquete speech-dispatcher-espeak-ng).");
}

QString Declaimer::missingVoiceText()
{
    return QStringLiteral("El servicio de voz no tiene ninguna voz en español. Instale una (paquete "
                          "speech-dispatcher-espeak-ng).");
}

void Declaimer::prepare()
{
    if (m_prepared)
        return;
    if (!QTextToSpeech::availableEngines().contains(m_engine))
        return unavailable(missingServiceText());
    auto *speech = new QTextToSpeech(m_engine, this);
    if (speech->state() == QTextToSpeech::Error) {
        delete speech;
        return unavailable(missingServiceText());
    }
    // The engine takes the desktop's language otherwise, and reads Spanish with its rules.
    speech->setLocale(kSpanish);
    if (speech->locale().language() != QLocale::Spanish) {
        for (const QLocale &locale : speech->availableLocales()) {
            if (locale.language() == QLocale::Spanish) {
                speech->setLocale(locale);
                break;
            }
        }
    }
    if (speech->locale().language() != QLocale::Spanish || speech->availableVoices().isEmpty()) {
        delete speech;
        return unavailable(missingVoiceText());
    }
    m_speech = speech;
    m_defaultLocale = speech->locale();
    m_defaultVoice = speech->voice();
    listVoices();
    applyChoice();
    connect(m_speech, &QTextToSpeech::stateChanged, this,
            [this](QTextToSpeech::State state) { engineStateChanged(state); });
    m_prepared = true;
    emit prepared(true, QString());
    if (isReading())
        start();
}

// Each language's voices are listed by switching the engine to it; the default voice is set again afterwards.
void Declaimer::listVoices()
{
    m_voices.clear();
    QList<QLocale> locales = m_speech->availableLocales();
    std::stable_sort(locales.begin(), locales.end(),
                     [](const QLocale &a, const QLocale &b) { return a.name() < b.name(); });
    for (const QLocale &locale : std::as_const(locales)) {
        if (locale.language() != QLocale::Spanish)
            continue;
        m_speech->setLocale(locale);
        if (m_speech->locale() != locale)
            continue;
        for (const QVoice &voice : m_speech->availableVoices()) {
            if (!offers(voice.name()))
                m_voices.append({voice.name(), locale});
        }
    }
}

bool Declaimer::offers(const QString &voice) const
{
    return std::any_of(m_voices.cbegin(), m_voices.cend(),
                       [&voice](const SpeechVoice &offered) { return offered.name == voice; });
}

void Declaimer::choose(const VoiceChoice &choice)
{
    m_choice = choice;
    m_pause.setInterval(
        std::clamp(choice.pauseMs, VoiceChoice::kShortestPauseMs, VoiceChoice::kLongestPauseMs));
    if (m_speech)
        applyChoice();
}

void Declaimer::applyChoice()
{
    const auto chosen = std::find_if(m_voices.cbegin(), m_voices.cend(), [this](const SpeechVoice &voice) {
        return voice.name == m_choice.voice;
    });
    const bool known = chosen != m_voices.cend();
    // A change of language makes the engine take that language's first voice: the voice is set after it.
    const QLocale locale = known ? chosen->locale : m_defaultLocale;
    if (m_speech->locale() != locale)
        m_speech->setLocale(locale);
    QVoice voice = m_defaultVoice;
    if (known) {
        for (const QVoice &offered : m_speech->availableVoices()) {
            if (offered.name() == chosen->name)
                voice = offered;
        }
    }
    m_speech->setVoice(voice);
    m_speech->setRate(VoiceChoice::engineValue(m_choice.rate));
    m_speech->setPitch(VoiceChoice::engineValue(m_choice.pitch));
}

void Declaimer::unavailable(const QString &problem)
{
    m_prepared = true;
    m_problem = problem;
    emit prepared(false, problem);
    if (isReading())
        end(false);
}

void Declaimer::read(const QStringList &phrases)
{
    silence();
    m_phrases = phrases;
    m_next = 0;
    if (m_phrases.isEmpty() || !m_prepared)
        return;
    if (!m_speech)
        return end(false);
    if (m_speech->state() == QTextToSpeech::Speaking) {
        // The end of the stopped phrase is still to come; taken for the end of the new one, it would cut it.
        m_waitForStop = true;
        m_giveUp.start(500);
        return;
    }
    start();
}

void Declaimer::silence()
{
    m_pause.stop();
    m_giveUp.stop();
    m_waitForStop = false;
    if (isReading()) {
        m_phrases.clear();
        if (m_speech)
            m_speech->stop();
        emit finished(false);
    }
}

void Declaimer::start()
{
    m_next = 0;
    sayNext();
}

void Declaimer::sayNext()
{
    if (m_next >= m_phrases.size())
        return end(true);
    const QString phrase = m_phrases[m_next++];
    m_heard = false;
    m_giveUp.start(giveUpMs(phrase));
    emit saying(phrase);
    m_speech->say(phrase);
}

void Declaimer::engineStateChanged(int state)
{
    if (!isReading())
        return;
    if (m_waitForStop) {
        if (state != QTextToSpeech::Speaking) {
            m_giveUp.stop();
            m_waitForStop = false;
            start();
        }
        return;
    }
    if (m_pause.isActive())
        return;
    switch (state) {
    case QTextToSpeech::Speaking:
        m_heard = true;
        break;
    case QTextToSpeech::Ready:
        if (!m_heard)
            break;
        m_giveUp.stop();
        if (m_next >= m_phrases.size())
            end(true);
        else
            m_pause.start();
        break;
    case QTextToSpeech::Error:
        end(false);
        break;
    default:
        break;
    }
}

void Declaimer::end(bool complete)
{
    m_pause.stop();
    m_giveUp.stop();
    m_phrases.clear();
    emit finished(complete);
}

} // namespace parlanza
