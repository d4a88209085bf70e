#include "ReadAloud.h"

#include "VoiceDialog.h"
#include "WindowCommands.h"
#include "core/SpeechCore.h"
#include "platform/DesktopServices.h"
#include "platform/Failure.h"
#include "speech/Phrases.h"
#include "speech/Voice.h"
#include "speech/VoiceSettings.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>

namespace parlanza {

QString speechOnLabel(const SpeechCore &core)
{
    // A speech shown again by the step-back button is its history entry, number and all, and "...".
    const QString &shown = core.controls.speech;
    const qint64 number = core.state.speechNumber;
    if (number >= 1 && number <= core.controls.history.size() &&
        shown == core.controls.history[number - 1] + QStringLiteral("...\r\n"))
        return withoutHistoryNumber(shown).toString();
    return shown;
}

QString speechInView(const SpeechCore &core, const QListWidget *history)
{
    const int row = history->currentRow();
    if (history->isVisible() && row >= 0 && row < core.controls.history.size())
        return withoutHistoryNumber(core.controls.history[row]).toString();
    return speechOnLabel(core);
}

ReadAloud::ReadAloud(const Controls &controls, const SpeechCore &core, Beeper &beeper, Voice &voice,
                     QObject *parent)
    : QObject(parent), m_controls(controls), m_core(core), m_beeper(beeper), m_voice(voice)
{
    m_read = m_controls.commands->action("leerEnVozAlta");
    m_follow = m_controls.commands->action("leerCadaDiscurso");
    m_silence = m_controls.commands->action("callar");
    m_choose = m_controls.commands->action("vozDeLectura");
    m_hint = m_controls.commands->action("sinVoz");
    m_hint->setEnabled(false);
    m_hint->setVisible(false);

    connect(m_read, &QAction::triggered, this, &ReadAloud::readShown);
    connect(m_choose, &QAction::triggered, this, &ReadAloud::chooseVoice);
    // The user's choice, kept from an earlier run; a voice no longer installed reads with the default one.
    m_voice.choose(VoiceSettings::load());
    connect(m_silence, &QAction::triggered, this, [this] {
        m_afterBeeps.stop();
        m_voice.silence();
    });
    connect(m_follow, &QAction::toggled, this, [this](bool on) {
        if (!on)
            m_afterBeeps.stop();
    });
    m_afterBeeps.setSingleShot(true);
    connect(&m_afterBeeps, &QTimer::timeout, this, [this] {
        if (m_follow->isChecked() && m_follow->isEnabled())
            m_voice.read(phrasesOf(speechOnDisplay(), *m_controls.knownPremises));
    });
    // The row under the pointer is the one the history list's menu reads.
    m_historyViewport = m_controls.history->viewport();
    m_historyViewport->installEventFilter(this);
    // The engine is made once the window has shown its first speech, so as not to slow that down.
    m_controls.speech->installEventFilter(this);

    connect(&m_voice, &Voice::prepared, this, &ReadAloud::voicePrepared);
    if (m_voice.isPrepared())
        voicePrepared(m_voice.isAvailable(), m_voice.problem());
}

void ReadAloud::voicePrepared(bool available, const QString &problem)
{
    for (QAction *action : {m_read, m_follow, m_silence, m_choose}) {
        action->setEnabled(available);
        action->setToolTip(problem);
        action->setStatusTip(problem);
    }
    m_hint->setText(problem);
    m_hint->setVisible(!available);
}

bool ReadAloud::readsEachNewSpeech() const
{
    return m_follow->isChecked() && m_follow->isEnabled();
}

void ReadAloud::speechShown()
{
    if (!readsEachNewSpeech())
        return;
    // The speech on display is no longer the one being read; the new one is read once its beeps have sounded.
    m_voice.silence();
    m_afterBeeps.start(m_beeper.soundingMs());
}

QString ReadAloud::shownText() const
{
    return speechInView(m_core, m_controls.history);
}

QString ReadAloud::speechOnDisplay() const
{
    return speechOnLabel(m_core);
}

void ReadAloud::readShown()
{
    m_afterBeeps.stop();
    if (m_read->isEnabled())
        m_voice.read(phrasesOf(shownText(), *m_controls.knownPremises));
}

void ReadAloud::chooseVoice()
{
    if (!m_choose->isEnabled())
        return;
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    auto *dialog =
        new VoiceDialog(m_voice.voices(), m_voice.defaultVoice(), m_voice.choice(), m_controls.window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &VoiceDialog::tryOut, this, [this](const VoiceChoice &choice) {
        m_afterBeeps.stop();
        m_voice.choose(choice);
        m_voice.read(VoiceDialog::samplePhrases());
    });
    connect(dialog, &VoiceDialog::chosen, this, [this, dialog](const VoiceChoice &choice) {
        try {
            VoiceSettings::save(choice);
        } catch (const Failure &failure) {
            dialog->showProblem(failure.description());
            return;
        }
        m_voice.choose(choice);
        dialog->accept();
    });
    // A choice tried out and not kept gives way to the one kept.
    connect(dialog, &QDialog::rejected, this, [this, kept = m_voice.choice()] { m_voice.choose(kept); });
    dialog->open();
}

bool ReadAloud::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_controls.speech && event->type() == QEvent::Paint) {
        m_controls.speech->removeEventFilter(this);
        m_voice.prepare();
    }
    // Pointers compared only: the list may be on its way out when its viewport's last events come.
    if (watched == m_historyViewport && event->type() == QEvent::ContextMenu) {
        const QPoint at = static_cast<QContextMenuEvent *>(event)->pos();
        if (QListWidgetItem *item = m_controls.history->itemAt(at))
            m_controls.history->setCurrentItem(item);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace parlanza
