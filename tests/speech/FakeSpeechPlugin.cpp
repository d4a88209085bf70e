// A speech engine for the tests: every phrase "sounds" for 50 ms; with PARLANZA_PRUEBA_SIN_ESPANOL set it has
// no Spanish voice.
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
        return {QLocale(QLocale::Spanish, QLocale::Spain)};
    }
    QList<QVoice> availableVoices() const override
    {
        return {createVoice(QStringLiteral("prueba"), locale(), QVoice::Male, QVoice::Adult, {})};
    }
    void say(const QString &) override
    {
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
    double rate() const override { return 0; }
    bool setRate(double) override { return true; }
    double pitch() const override { return 0; }
    bool setPitch(double) override { return true; }
    QLocale locale() const override { return availableLocales().constFirst(); }
    bool setLocale(const QLocale &locale) override { return locale == this->locale(); }
    double volume() const override { return 1; }
    bool setVolume(double) override { return true; }
    QVoice voice() const override { return availableVoices().constFirst(); }
    bool setVoice(const QVoice &) override { return true; }
    QTextToSpeech::State state() const override { return m_state; }
    QTextToSpeech::ErrorReason errorReason() const override { return QTextToSpeech::ErrorReason::NoError; }
    QString errorString() const override { return {}; }

private:
    void setState(QTextToSpeech::State state)
    {
        if (state != m_state)
            emit stateChanged(m_state = state);
    }
    QTextToSpeech::State m_state = QTextToSpeech::Ready;
    int m_generation = 0;
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
