#include "Lectern.h"

#include "FullScreenView.h"
#include "ReadAloud.h"
#include "SpeechCopy.h"
#include "WindowCommands.h"
#include "core/PremiseBase.h"
#include "core/SpeechCore.h"
#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"
#include "speech/Phrases.h"

#include <QAction>
#include <QEvent>
#include <QPrinter>
#include <exception>

namespace parlanza {

namespace {

// A speech in the separated form, whatever the form on screen: one premise a line, each ended as that form
// ends it. Run-on premises are told apart by the premises the speech may hold.
QStringList separatedLines(QStringView speech, const QStringList &knownPremises)
{
    // The separator of that form without its line end.
    const QString ending = kSeparatedPremises.toString().trimmed().prepend(u' ');
    QStringList lines = phrasesOf(speech, knownPremises);
    for (QString &line : lines)
        line += ending;
    return lines;
}

} // namespace

Lectern::Lectern(const Controls &controls, const SpeechCore &core, QObject *parent)
    : QObject(parent), m_controls(controls), m_core(core)
{
    connect(controls.commands->action("printSpeech"), &QAction::triggered, this, &Lectern::printSpeech);
    connect(controls.commands->action("printEntries"), &QAction::triggered, this, &Lectern::printEntries);
    connect(controls.commands->action("readFullScreen"), &QAction::triggered, this, &Lectern::readFullScreen);
    controls.window->installEventFilter(this);
}

bool Lectern::eventFilter(QObject *watched, QEvent *event)
{
    // The view goes with the main window: left open, it would keep the program running without it.
    if (watched == m_controls.window && event->type() == QEvent::Close && m_view)
        m_view->close();
    return QObject::eventFilter(watched, event);
}

void Lectern::shownChanged()
{
    if (m_view)
        m_view->showSpeech(separatedLines(speechOnLabel(m_core), *m_controls.knownPremises), viewFoot());
}

bool Lectern::announceInView()
{
    if (!m_view || !m_view->isVisible())
        return false;
    m_view->announceSpeech();
    return true;
}

QString Lectern::viewFoot() const
{
    return m_core.controls.counter + QStringLiteral("     ") +
           (m_core.state.autoMode ? QStringLiteral("Automático") : QStringLiteral("Manual")) +
           QStringLiteral("     Espacio: siguiente     ←: anterior     Esc: salir");
}

void Lectern::readFullScreen()
{
    if (!m_view) {
        m_view = new FullScreenView(m_controls.window);
        connect(m_view, &FullScreenView::nextSpeechAsked, this, &Lectern::nextSpeechAsked);
        connect(m_view, &FullScreenView::stepBackAsked, this, &Lectern::stepBackAsked);
    }
    m_view->showFullScreen();
    shownChanged();
    m_view->announceSpeech();
    m_view->raise();
    m_view->activateWindow();
    m_view->setFocus();
}

void Lectern::printSpeech()
{
    print({separatedLines(speechInView(m_core, m_controls.history), *m_controls.knownPremises)},
          QStringLiteral("Imprimir el discurso"));
}

void Lectern::printEntries()
{
    QList<QStringList> speeches;
    for (const QString &entry : chosenEntries(m_controls.history, m_core.controls.history))
        speeches.append(separatedLines(withoutHistoryNumber(entry), *m_controls.knownPremises));
    if (!speeches.isEmpty())
        print(speeches, QStringLiteral("Imprimir los discursos elegidos"));
}

QString Lectern::baseTitle() const
{
    const BaseList &bases = m_core.controls.bases;
    QString title;
    if (bases.current >= 0 && bases.current < bases.entries.size() &&
        !premise::headerProblem(bases.entries[bases.current]))
        title = premise::readHeader(bases.entries[bases.current]).title.trimmed();
    return title.isEmpty() ? QStringLiteral("Parlanza") : title;
}

void Lectern::print(const QList<QStringList> &speeches, const QString &dialogTitle)
{
    QWidget *window = m_controls.window;
    MessageBoxes &messages = *m_controls.messages;
    if (!m_controls.printers || !m_controls.printers->anyPrinter()) {
        messages.show(window, QStringLiteral("No hay ninguna impresora instalada en el sistema: no se puede "
                                             "imprimir el discurso. Añada una impresora en la configuración "
                                             "del escritorio e inténtelo de nuevo."));
        return;
    }
    try {
        const std::unique_ptr<QPrinter> printer = m_controls.printers->choosePrinter(window, dialogTitle);
        if (!printer)
            return;
        printer->setDocName(QStringLiteral("Parlanza: ") + baseTitle());
        if (printSpeeches(*printer, speeches, baseTitle()))
            return;
        const QString file = printer->outputFileName();
        messages.show(window,
                      file.isEmpty()
                          ? QStringLiteral("La impresora «%1» no ha aceptado el trabajo: el discurso "
                                           "no se ha impreso.")
                                .arg(printer->printerName())
                          : QStringLiteral("No se puede escribir el archivo «%1»: el discurso no se ha "
                                           "impreso.")
                                .arg(file));
    } catch (const std::exception &error) {
        messages.show(window, QStringLiteral("No se ha podido imprimir el discurso: %1")
                                  .arg(QString::fromLocal8Bit(error.what())));
    }
}

} // namespace parlanza
