#include "VoiceSettings.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace parlanza {

namespace {

const QString kVoice = QStringLiteral("voz/nombre");
const QString kRate = QStringLiteral("voz/velocidad");
const QString kPitch = QStringLiteral("voz/tono");
const QString kPause = QStringLiteral("voz/pausa_ms");

// The whole number stored under key when it passes the test; otherwise fallback.
int wholeNumber(const QSettings &settings, const QString &key, int fallback, bool (*valid)(int))
{
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    return ok && valid(value) ? value : fallback;
}

} // namespace

double VoiceChoice::engineValue(int count)
{
    // speech-dispatcher takes Qt's value times 100 and truncates it toward zero, so 0.29 would arrive as 28.
    // A quarter step away from zero brings the count itself to engines that truncate and to those that round.
    if (count == 0)
        return 0;
    const double nudged = (count + (count > 0 ? 0.25 : -0.25)) / 100.0;
    return std::clamp(nudged, -1.0, 1.0);
}

QString VoiceSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/VelarMundo/parlanza.conf");
}

VoiceChoice VoiceSettings::load(const QString &path)
{
    VoiceChoice choice;
    if (!QFileInfo(path).isFile())
        return choice;
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return choice;
    choice.voice = settings.value(kVoice).toString().trimmed();
    choice.rate = wholeNumber(settings, kRate, choice.rate, &VoiceChoice::inRange);
    choice.pitch = wholeNumber(settings, kPitch, choice.pitch, &VoiceChoice::inRange);
    choice.pauseMs = wholeNumber(settings, kPause, choice.pauseMs, &VoiceChoice::pauseInRange);
    return choice;
}

void VoiceSettings::save(const VoiceChoice &choice, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("No se puede crear la carpeta %1 para guardar la voz elegida.")
                          .arg(Failure::quoted(folder)),
                      folder);
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kVoice, choice.voice);
    settings.setValue(kRate, choice.rate);
    settings.setValue(kPitch, choice.pitch);
    settings.setValue(kPause, choice.pauseMs);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw Failure(
            QStringLiteral("No se puede guardar la voz elegida en el archivo %1.").arg(Failure::quoted(path)),
            path);
}

} // namespace parlanza
