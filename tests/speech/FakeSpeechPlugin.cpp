// A speech engine for the tests: every phrase "sounds" for 50 ms; with PARLANZA_PRUEBA_SIN_ESPANOL set it has
// no Spanish voice. It offers two voices of Spain and one of Latin America, and writes what it is told to the
// file PARLANZA_PRUEBA_REGISTRO names, one line each: "voz NAME", "velocidad N", "tono N" (as
// speech-dispatcher is told them: the value times 100, truncated) and "di PHRASE".
#include <QFile>
#include <QTextToSpeechPlugin>
#include <QTimer>
#include <QVoice>

class FakeEngine : public QTextToSpeechEngine
{
public:
    using QTextToSpeechEngine::QTextToSpeechEngine;
    QList<QLocale> availableLocales() const override
    {
        if (qEnvironmentVariableIsSet("PARLANZA_PRUEBA_SIN_ESPANOL"))
            return {QLocale(QLocale::English)};
        return {QLocale(QLocale::Spanish, QLocale::LatinAmerica), QLocale(QLocale::Spanish, QLocale::Spain)};
    }
    QList<QVoice> availableVoices() const override
    {
        if (m_locale.territory() == QLocale::LatinAmerica)
            return {createVoice(QStringLiteral("latina"), m_locale, QVoice::Female, QVoice::Adult, {})};
        return {createVoice(QStringLiteral("prueba"), m_locale, QVoice::Male, QVoice::Adult, {}),
                createVoice(QStringLiteral("prueba+Adam"), m_locale, QVoice::Male, QVoice::Adult, {})};
    }
    void say(const QString &phrase) override
    {
        note(QStringLiteral("di ") + phrase);
        const int generation = ++m_generation;
        setState(QTextToSpeech::Speaking);
        QTimer::singleShot(50, this, [this, generation] {
            if (generation == m_generation)
                setState(QTextToSpeech::Ready);
        });
    }
    void stop(QTextToSpeech::BoundaryHint) override
    {
        ++m_generation;
        setState(QTextToSpeech::Ready);
    }
    void pause(QTextToSpeech::BoundaryHint) override {}
    void resume() override {}
    double rate() const override { return m_rate; }
    bool setRate(double rate) override
    {
        note(QStringLiteral("velocidad %1").arg(static_cast<int>(rate * 100)));
        m_rate = rate;
        return true;
    }
    double pitch() const override { return m_pitch; }
    bool setPitch(double pitch) override
    {
        note(QStringLiteral("tono %1").arg(static_cast<int>(pitch * 100)));
        m_pitch = pitch;
        return true;
    }
    QLocale locale() const override { return m_locale; }
    // Like speech-dispatcher's, a change of language takes the language's first voice.
    bool setLocale(const QLocale &locale) override
    {
        if (!availableLocales().contains(locale))
            return false;
        m_locale = locale;
        m_voice = availableVoices().constFirst().name();
        note(QStringLiteral("voz ") + m_voice);
        return true;
    }
    double volume() const override { return 1; }
    bool setVolume(double) override { return true; }
    QVoice voice() const override
    {
        for (const QVoice &voice : availableVoices())
            if (voice.name() == m_voice)
                return voice;
        return availableVoices().value(0);
    }
    bool setVoice(const QVoice &voice) override
    {
        for (const QVoice &offered : availableVoices()) {
            if (offered.name() == voice.name()) {
                note(QStringLiteral("voz ") + voice.name());
                m_voice = voice.name();
                return true;
            }
        }
        return false;
    }
    QTextToSpeech::State state() const override { return m_state; }
    QTextToSpeech::ErrorReason errorReason() const override { return QTextToSpeech::ErrorReason::NoError; }
    QString errorString() const override { return {}; }

private:
    static void note(const QString &line)
    {
        QFile file(qEnvironmentVariable("PARLANZA_PRUEBA_REGISTRO"));
        if (!file.fileName().isEmpty() && file.open(QIODevice::Append))
            file.write((line + u'\n').toUtf8());
    }
    void setState(QTextToSpeech::State state)
    {
        if (state != m_state)
            emit stateChanged(m_state = state);
    }
    QTextToSpeech::State m_state = QTextToSpeech::Ready;
    int m_generation = 0;
    QLocale m_locale = availableLocales().constLast();
    QString m_voice = availableVoices().value(0).name();
    double m_rate = 0;
    double m_pitch = 0;
};

class FakeSpeechPlugin : public QObject, public QTextToSpeechPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.qt.speech.tts.plugin/6.0" FILE "fakeengine.json")
    Q_INTERFACES(QTextToSpeechPlugin)

public:
    QTextToSpeechEngine *createTextToSpeechEngine(const QVariantMap &, QObject *parent,
                                                  QString *) const override
    {
        return new FakeEngine(parent);
    }
};

#include "FakeSpeechPlugin.moc"
