#pragma once

#include "core/SpeechCore.h"
#include "platform/ProgramFiles.h"

#include <QMainWindow>
#include <QStringList>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace parlanza {

class Announcer;
class Beeper;
class Clock;
class EditorQuestions;
class Lectern;
class MessageBoxes;
class Printers;
class RandomSource;
class ReadAloud;
class Voice;
class WindowCommands;

// The main window. Its handlers, named after control and event, run the core's operations and then bring the
// widgets in line with the core's state; a failure is shown in a message box and never leaves a handler.
class dialogo : public QMainWindow
{
    Q_OBJECT

public:
    struct Services
    {
        Clock *clock = nullptr;
        RandomSource *random = nullptr;
        MessageBoxes *messages = nullptr;
        Beeper *beeper = nullptr;
        Printers *printers = nullptr;
        QString directory;       // the program's directory, where its data files are
        QString userDirectory{}; // the user's data folder, whose files take the place of the program's
        bool systemWide = false; // then the history goes to the user's data folder
        QString premiseFile{};   // the premise base file asked for; empty: dialogo.soy
        QString executable{};    // the program's executable; empty: the one of this name in directory
        EditorQuestions *editorQuestions = nullptr; // the base editor's questions; none: the desktop's boxes
    };

    explicit dialogo(const Services &services, QWidget *parent = nullptr);
    ~dialogo() override;

    static QString designTitle();
    // Reading aloud in the context menus and by shortcuts, with this voice.
    void attachVoice(Voice &voice);
    const SpeechCore &core() const { return m_core; }

    // Start-up: run when the window is created and again by "Inicia Discursos".
    void Form_Load();

    void mnudiscurso_Click();
    void mnuPI_Click();
    void mnuvisua_Click();
    void mnuImpri_Click();
    void mnuPsgd_Click();
    void mnuPspd_Click();
    void mnucreditos_Click();
    void mnuAyuda_Click();
    void mnuSalir_Click();

    void List3_Click();
    void Timer1_Timer();
    void Label5_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command8_Click();
    void Command9_Click();

    void Command1_MouseMove();
    void Command2_MouseMove();
    void Command3_MouseMove();
    void Command4_MouseMove();
    void Command8_MouseMove();
    void Command9_MouseMove();
    void Label3_MouseMove();
    void Label4_MouseMove();
    void Label5_MouseMove();
    void Label7_MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A closed window neither ticks nor beeps.
    void closeEvent(QCloseEvent *event) override;
    // A premise base file dropped on the window: a restart with that file.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createMenu();
    void placeWindow();
    void version(const QString &unused);
    void changeFontSize(int step, int wrapBelow, int wrapAbove);
    void focusCommand1IfLost();
    ProgramFiles files() const;
    QString executable() const;

    // Runs one step of a handler; a failure is shown in a message box and the handler goes on or ends.
    template<typename Step>
    bool guarded(Step &&step);
    // The failure's description, or nothing when the step succeeds; no exception gets past it.
    template<typename Step>
    static std::optional<QString> failureOf(Step &&step);
    void report(const QString &description);

    void loadSavedBase(int number);
    void syncFromCore();
    // Brings the lists in line; true when a speech was composed since the last time.
    bool syncLists();

    SpeechCore m_core;
    Services m_services;
    QString m_lastTickFailure; // a timer tick that fails again with the same failure stays quiet
    bool m_reporting = false;
    bool m_syncing = false;
    bool m_placed = false;
    bool m_label5Pressed = false;
    QStringList m_shownBases;    // what List3 shows
    QStringList m_shownPremises; // what List1 holds
    QStringList m_knownPremises; // the premises of every base loaded so far, to split run-on speeches by
    ReadAloud *m_readAloud = nullptr;
    WindowCommands *m_commands = nullptr;
    Announcer *m_announcer = nullptr; // speaks each new speech through screen readers
    Lectern *m_lectern = nullptr;

    QListWidget *List3 = nullptr;
    QFrame *Frame1 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QTimer *Timer1 = nullptr;
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;

    QAction *mnudiscurso = nullptr;
    QAction *mnuPI = nullptr;
    QMenu *mnuHerra = nullptr;
    QAction *mnuvisua = nullptr;
    QAction *mnuImpri = nullptr;
    QAction *mnuPsgd = nullptr;
    QAction *mnuPspd = nullptr;
    QAction *mnucreditos = nullptr;
    QAction *mnuAyuda = nullptr;
    QAction *mnuSalir = nullptr;
};

} // namespace parlanza
