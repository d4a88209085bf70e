#pragma once

#include <QObject>
#include <QStringList>

class QThread;

namespace parlanza {

class Declaimer;

// A Declaimer on a thread of its own, so that creating the engine (seconds with the speech service) neither
// delays the program's start nor freezes its window. prepare() starts making the engine, as does the first
// reading; readings asked for before it is ready start when it is.
class Voice : public QObject
{
    Q_OBJECT

public:
    explicit Voice(const QString &engine, QObject *parent = nullptr);
    ~Voice() override;

    bool isPrepared() const { return m_prepared; }
    bool isAvailable() const { return m_available; }
    QString problem() const { return m_problem; }

    void prepare();
    void read(const QStringList &phrases);
    void silence();

signals:
    void prepared(bool available, const QString &problem);
    void saying(const QString &phrase);
    void finished(bool complete);

private:
    QThread *m_thread = nullptr;
    Declaimer *m_declaimer = nullptr;
    bool m_prepared = false;
    bool m_available = false;
    QString m_problem;
};

} // namespace parlanza
