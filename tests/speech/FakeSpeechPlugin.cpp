// A speech engine for the tests: every phrase "sounds" for PARLANZA_PRUEBA_MS milliseconds (50 by default);
// PARLANZA_PRUEBA_SIN_ESPANOL leaves it without a Spanish voice. What it is asked to do goes, on the
// application's thread, into the application's property "fakeSpeech" as "say:TEXT@MS" and "stop@MS".
#include <QCoreApplication>
#include <QDateTime>
#include <QTextToSpeechPlugin>
#include <QTimer>
#include <QVoice>

namespace {

void log(const QString &what)
{
    const QString entry = what + u'@' + QString::number(QDateTime::currentMSecsSinceEpoch());
    QMetaObject::invokeMethod(qApp, [entry] {
        qApp->setProperty("fakeSpeech", qApp->property("fakeSpeech").toStringList() << entry);
    });
}

class FakeEngine : public QTextToSpeechEngine
{
public:
    explicit FakeEngine(QObject *parent) : QTextToSpeechEngine(parent) {}
    QList<QLocale> availableLocales() const override
    {
        if (qEnvironmentVariableIsSet("PARLANZA_PRUEBA_SIN_ESPANOL"))
            return {QLocale(QLocale::English)};
        return {QLocale(QLocale::English), QLocale(QLocale::Spanish, QLocale::Spain)};
    }
    QList<QVoice> availableVoices() const override
    {
        return {createVoice(QStringLiteral("prueba"), m_locale, QVoice::Male, QVoice::Adult, {})};
    }
    void say(const QString &text) override
    {
        log(QStringLiteral("say:") + text);
        const int generation = ++m_generation;
        QTimer::singleShot(0, this, [this] { setState(QTextToSpeech::Speaking); });
        bool set = false;
        const int ms = qEnvironmentVariableIntValue("PARLANZA_PRUEBA_MS", &set);
        QTimer::singleShot(set ? ms : 50, this, [this, generation] {
            if (generation == m_generation)
                setState(QTextToSpeech::Ready);
        });
    }
    void stop(QTextToSpeech::BoundaryHint) override
    {
        log(QStringLiteral("stop"));
        ++m_generation;
        setState(QTextToSpeech::Ready);
    }
    void pause(QTextToSpeech::BoundaryHint) override {}
    void resume() override {}
    double rate() const override { return 0; }
    bool setRate(double) override { return true; }
    double pitch() const override { return 0; }
    bool setPitch(double) override { return true; }
    QLocale locale() const override { return m_locale; }
    bool setLocale(const QLocale &locale) override
    {
        if (!availableLocales().contains(locale))
            return false;
        m_locale = locale;
        return true;
    }
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
    QLocale m_locale{QLocale::English};
    QTextToSpeech::State m_state = QTextToSpeech::Ready;
    int m_generation = 0;
};

} // namespace

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
