#include "dialogo.h"

#include "ActivatableLabel.h"
#include "BaseEditing.h"
#include "Hints.h"
#include "Lectern.h"
#include "PictureButton.h"
#include "ReadAloud.h"
#include "SpeechCopy.h"
#include "WindowCommands.h"
#include "export/HistoryRecord.h"
#include "help/ayuda.h"
#include "platform/Announcer.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/DesktopServices.h"
#include "platform/Failure.h"
#include "platform/Int16.h"
#include "platform/Marks.h"
#include "platform/NumberText.h"
#include "version/CFileVersionInfo.h"
#include "version/ShowPropertiesDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <exception>
#include <new>

namespace parlanza {

namespace {

const QColor kWindowColour(192, 192, 255);
const QColor kSilver(192, 192, 192);
const QColor kManualColour(128, 128, 128);
const QColor kAutoColour(255, 0, 0);

constexpr int kDesignTimerInterval = 14000;
constexpr double kSpeechFontSize = 14.0;

// The window's outer place and size.
QRect designPlace()
{
    return twipsRect(10, 10, 12200, 7630);
}

// Labels show CR LF as one line break.
QString shownText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Labels expose their text to assistive technologies as Qt's own labels do: no fixed name hides it, and each
// change of the text is announced.
QLabel *makeLabel(QLabel *label, const QString &name, const QString &caption, const QRect &place,
                  const QFont &font)
{
    label->setText(caption);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(place);
    label->setFont(font);
    return label;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &place,
                  const QFont &font)
{
    return makeLabel(new QLabel(parent), name, caption, place, font);
}

QListWidget *makeList(QWidget *parent, const QString &name, const QString &accessibleName, const QRect &place)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setGeometry(place);
    list->setSortingEnabled(false);
    return list;
}

QPushButton *makeButton(QPushButton *button, const QString &name, const QString &accessibleName,
                        const QRect &place)
{
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    button->setGeometry(place);
    return button;
}

QString picture(const QString &name)
{
    return QStringLiteral(":/pictures/") + name;
}

} // namespace

dialogo::dialogo(const Services &services, QWidget *parent)
    : QMainWindow(parent), m_core(*services.clock, *services.random), m_services(services)
{
    setObjectName(QStringLiteral("dialogo"));
    setWindowTitle(designTitle());
    setWindowIcon(drawnIcon(picture(QStringLiteral("parlanza.svg"))));
    setAcceptDrops(true);
    createControls();
    createMenu();
    Form_Load();
}

dialogo::~dialogo() = default;

QString dialogo::designTitle()
{
    return marks::kMaker.toString() + QStringLiteral("  -  PARLANZA, discursos para cualquier ocasión");
}

void dialogo::attachVoice(Voice &voice)
{
    m_readAloud = new ReadAloud({this, Label3, List2, m_commands, &m_knownPremises}, m_core,
                                *m_services.beeper, voice, this);
}

void dialogo::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    paintBackground(client, kWindowColour);
    const QFont sansSerif = designFont(QStringLiteral("MS Sans Serif"), 8.25);

    List3 = makeList(client, QStringLiteral("List3"), QStringLiteral("Bases de discursos"),
                     twipsRect(300, 690, 4005, 3765));
    paintBackground(List3, kSilver, QPalette::Base);
    List3->hide();

    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("Barra de mandos"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(twipsRect(30, 5070, 11985, 615));

    // The font buttons are named by their captions, which show the size.
    Command9 = makeButton(new QPushButton(QStringLiteral(">>"), Frame1), QStringLiteral("Command9"),
                          QString(), twipsRect(1485, 180, 630, 330));
    paintBackground(Command9, QColor(192, 64, 0), QPalette::Button);
    Command8 = makeButton(new QPushButton(QStringLiteral("<<"), Frame1), QStringLiteral("Command8"),
                          QString(), twipsRect(870, 180, 600, 315));
    paintBackground(Command8, QColor(255, 128, 0), QPalette::Button);
    Command4 = makeButton(new PictureButton(picture(QStringLiteral("command4.svg")), QString(), Frame1),
                          QStringLiteral("Command4"), QStringLiteral("Discurso anterior"),
                          twipsRect(2220, 180, 435, 360));
    Command1 = makeButton(new PictureButton(picture(QStringLiteral("command1.svg")),
                                            QStringLiteral(" Click para CONTINUAR ó Pulse ESPACE"), Frame1),
                          QStringLiteral("Command1"), QString(), twipsRect(2760, 180, 5310, 375));
    Command1->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    Command2 = makeButton(new PictureButton(picture(QStringLiteral("command2.svg")), QString(), Frame1),
                          QStringLiteral("Command2"), QStringLiteral("Alarga la pausa"),
                          twipsRect(8190, 195, 495, 345));
    Command3 = makeButton(new PictureButton(picture(QStringLiteral("command3.svg")), QString(), Frame1),
                          QStringLiteral("Command3"), QStringLiteral("Acorta la pausa"),
                          twipsRect(9450, 195, 495, 345));
    Label4 = makeLabel(Frame1, QStringLiteral("Label4"), QString(), twipsRect(10290, 180, 1410, 315),
                       designFont(QStringLiteral("MS Sans Serif"), 13.5, true));
    // The mode label comes after the pause buttons in the tab order; SPACE or ENTER on it is its click.
    auto *mode = new ActivatableLabel(Frame1);
    Label5 = makeLabel(mode, QStringLiteral("Label5"), QStringLiteral("Manual"), twipsRect(60, 195, 870, 300),
                       designFont(QStringLiteral("MS Sans Serif"), 9.75));
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(mode, &ActivatableLabel::activated, this, &dialogo::Label5_Click);
    Label6 = makeLabel(Frame1, QStringLiteral("Label6"), QStringLiteral("Incrementa        Pausa"),
                       twipsRect(8295, 0, 1875, 195), sansSerif);
    Label6->setWordWrap(false);
    Label7 = makeLabel(Frame1, QStringLiteral("Label7"), QStringLiteral("14000"),
                       twipsRect(8730, 240, 795, 285), designFont(QStringLiteral("MS Sans Serif"), 12));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kDesignTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &dialogo::Timer1_Timer);
    Timer1->start();

    List1 = makeList(client, QStringLiteral("List1"), QStringLiteral("Premisas de la base"),
                     twipsRect(1260, 1395, 3255, 3765));
    List1->hide();
    List2 = makeList(client, QStringLiteral("List2"), QStringLiteral("Historial de discursos"),
                     twipsRect(30, 480, 11880, 6330));
    List2->setFont(designFont(QStringLiteral("MS Sans Serif"), 12));
    List2->hide();
    Label3 = makeLabel(client, QStringLiteral("Label3"), QString(), twipsRect(330, 1560, 11385, 3225),
                       designFont(QStringLiteral("Arial Narrow"), 8.25, true));
    paintBackground(Label3, kSilver);
    Label2 = makeLabel(client, QStringLiteral("Label2"), QString(), twipsRect(30, 90, 11985, 1215),
                       designFont(QStringLiteral("MS Sans Serif"), 12));
    Label2->setAccessibleDescription(QStringLiteral("Cabecera: la base elegida y cómo leer el discurso"));
    Label1 =
        makeLabel(client, QStringLiteral("Label1"), QString(), twipsRect(30, 5760, 11985, 765), sansSerif);
    Label1->setAccessibleDescription(QStringLiteral("Indicaciones sobre el mando que señala el ratón"));

    // Labels lie beneath the lists, the bar and the buttons they touch, as windowless labels do: the mode
    // label's edge under "<<" and the pause label's under the shorter-pause button belong to the buttons.
    // Lowered last first, so the labels keep their own order.
    for (QLabel *label : {Label1, Label2, Label3, Label7, Label6, Label5, Label4})
        label->lower();

    for (QWidget *control : std::initializer_list<QWidget *>{Command1, Command2, Command3, Command4, Command8,
                                                             Command9, Label3, Label4, Label5, Label7}) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    const std::pair<QWidget *, QString> descriptions[] = {
        {Command1, hints::Command1()}, {Command2, hints::Command2()}, {Command3, hints::Command3()},
        {Command4, hints::Command4()}, {Command8, hints::Command8()}, {Command9, hints::Command9()},
        {Label3, hints::Label3()},     {Label4, hints::Label4()},     {Label5, hints::Label5()},
        {Label7, hints::Label7()}};
    for (const auto &[control, hint] : descriptions)
        control->setAccessibleDescription(shownText(hint).trimmed());

    connect(Command1, &QPushButton::clicked, this, &dialogo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &dialogo::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &dialogo::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &dialogo::Command4_Click);
    connect(Command8, &QPushButton::clicked, this, &dialogo::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &dialogo::Command9_Click);
    // A click, or a move of the current entry with the keyboard, picks a base. A move selects the entry it
    // reaches; the current entry that the list takes by itself when the focus comes to it selects nothing
    // and picks nothing.
    connect(List3, &QListWidget::clicked, this, &dialogo::List3_Click);
    connect(List3, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_syncing && QApplication::mouseButtons() == Qt::NoButton && List3->currentItem() &&
            List3->currentItem()->isSelected())
            List3_Click();
    });
    m_announcer = new Announcer(this);
    m_commands = new WindowCommands({this, Label3, List2, List3});
    new SpeechCopy(*m_commands, m_core.controls, List2);
    auto *editing = new BaseEditing(*m_commands, List3, m_core,
                                    {this, m_services.messages, m_services.editorQuestions,
                                     [this] { return BaseFileTarget(files(), m_services.premiseFile); }});
    connect(editing, &BaseEditing::baseSaved, this, &dialogo::loadSavedBase);
    m_lectern = new Lectern(
        {this, List2, m_commands, m_services.printers, m_services.messages, &m_knownPremises}, m_core, this);
    connect(m_lectern, &Lectern::nextSpeechAsked, this, &dialogo::Command1_Click);
    connect(m_lectern, &Lectern::stepBackAsked, this, &dialogo::Command4_Click);
    setCentralWidget(scrollableSurface(client));
    Command1->setFocus();
}

void dialogo::createMenu()
{
    QMenuBar *bar = menuBar();
    auto add = [this](auto *owner, QAction *&action, const QString &name, const QString &caption,
                      void (dialogo::*handler)()) {
        action = owner->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
    };
    add(bar, mnudiscurso, QStringLiteral("mnudiscurso"), QStringLiteral("Inicia Discursos     "),
        &dialogo::mnudiscurso_Click);
    add(bar, mnuPI, QStringLiteral("mnuPI"), QStringLiteral("Base Discursos        "), &dialogo::mnuPI_Click);
    mnuHerra = bar->addMenu(QStringLiteral("Herramientas       "));
    mnuHerra->setObjectName(QStringLiteral("mnuHerra"));
    mnuHerra->menuAction()->setObjectName(QStringLiteral("mnuHerra"));
    add(mnuHerra, mnuvisua, QStringLiteral("mnuvisua"), QStringLiteral("Visualiza     "),
        &dialogo::mnuvisua_Click);
    add(mnuHerra, mnuImpri, QStringLiteral("mnuImpri"), QStringLiteral("Pasa a File"),
        &dialogo::mnuImpri_Click);
    add(mnuHerra, mnuPsgd, QStringLiteral("mnuPsgd"), QStringLiteral("Premisas seguidas"),
        &dialogo::mnuPsgd_Click);
    add(mnuHerra, mnuPspd, QStringLiteral("mnuPspd"), QStringLiteral("Premisas separadas ..."),
        &dialogo::mnuPspd_Click);
    add(bar, mnucreditos, QStringLiteral("mnucreditos"), QStringLiteral("Creditos           "),
        &dialogo::mnucreditos_Click);
    add(bar, mnuAyuda, QStringLiteral("mnuAyuda"), QStringLiteral("Ayuda           "),
        &dialogo::mnuAyuda_Click);
    add(bar, mnuSalir, QStringLiteral("mnuSalir"), QStringLiteral("Salir       "), &dialogo::mnuSalir_Click);
}

void dialogo::placeWindow()
{
    placeFrame(this, designPlace());
}

void dialogo::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeFrameOnFirstShow(this, designPlace());
    }
}

template<typename Step>
std::optional<QString> dialogo::failureOf(Step &&step)
{
    try {
        step();
        return std::nullopt;
    } catch (const Failure &failure) {
        return failure.description();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("No queda memoria suficiente para terminar la operación.");
    } catch (const std::exception &error) {
        return QStringLiteral("Error inesperado: %1").arg(QString::fromLocal8Bit(error.what()));
    }
}

template<typename Step>
bool dialogo::guarded(Step &&step)
{
    const std::optional<QString> failure = failureOf(std::forward<Step>(step));
    if (!failure)
        return true;
    syncFromCore();
    report(*failure);
    return false;
}

void dialogo::report(const QString &description)
{
    // A box is already open (a timer tick failing behind it, say): never stack a second one.
    if (m_reporting)
        return;
    m_reporting = true;
    m_services.messages->show(this, description);
    m_reporting = false;
}

void dialogo::Form_Load()
{
    const std::function<void()> steps[] = {
        [this] { placeWindow(); },
        [this] { List2->resize(twips(11880), List2->height()); },
        [this] {
            m_core.state.dire = m_services.directory + u'/';
            m_core.setPremiseFile(m_services.premiseFile.isEmpty() ? files().readPath(u"dialogo.soy")
                                                                   : m_services.premiseFile);
        },
        [this] {
            m_core.controls.history.clear();
            List2->clear();
            List2->hide();
            Frame1->show();
            focusCommand1IfLost();
            List2->resize(List2->width(), twips(6330));
        },
        [this] { Timer1->setInterval(kDefaultPause); },
        [this] { m_core.state.pause = kDefaultPause; },
        [this] { Label7->setText(pauseText(m_core.state.pause, QLocale::system())); },
        [this] { m_core.state.autoMode = false; },
        [this] { m_core.controls.banner = startBanner(); },
        [] {}, // the files are closed already: every operation closes what it opens
        [this] { m_core.countLines(); },
        [this] {
            QFont font = Label3->font();
            font.setPointSizeF(kSpeechFontSize);
            Label3->setFont(font);
        },
        [this] { m_core.state.separator = kSeparatedPremises.toString(); },
        [this] { m_core.state.firstBasePending = true; },
        [this] { m_core.state.speechNumber = 0; },
        [this] { m_core.toggleBaseList(); },
        [this] { m_core.selectBase(); },
        [this] { version(QStringLiteral("1")); },
    };
    for (const auto &step : steps)
        guarded(step);
    syncFromCore();
}

void dialogo::version(const QString &)
{
    CFileVersionInfo info;
    info.setFullPathName(executable());
    // The design title first, so that a restart does not append a second version.
    setWindowTitle(designTitle() + QStringLiteral("         Ver.: ") + info.ProductVersion());
}

void dialogo::loadSavedBase(int number)
{
    guarded([&] {
        m_core.setPremiseFile(BaseFileTarget(files(), m_services.premiseFile).readPath());
        m_core.loadWrittenBase(number);
    });
    syncFromCore();
}

void dialogo::syncFromCore()
{
    const ControlData &shown = m_core.controls;
    Label2->setText(shownText(shown.banner));
    const bool speechChanged = Label3->text() != shownText(shown.speech);
    Label3->setText(shownText(shown.speech));
    Label4->setText(shown.counter);
    Label5->setText(m_core.state.autoMode ? QStringLiteral("Auto") : QStringLiteral("Manual"));
    const QColor modeColour = m_core.state.autoMode ? kAutoColour : kManualColour;
    if (Label5->palette().color(QPalette::Window) != modeColour)
        paintBackground(Label5, modeColour);
    // Beeps still to sound belong to automatic mode: they stop with it, whatever the way out of it.
    if (!m_core.state.autoMode)
        m_services.beeper->silence();
    const bool composed = syncLists();
    m_lectern->shownChanged();
    if (!composed && !speechChanged)
        return;
    // The program's own voice, when it reads each new speech, takes the screen reader's place: one reading.
    if (m_readAloud && m_readAloud->readsEachNewSpeech())
        m_readAloud->speechShown();
    else if (!m_lectern->announceInView())
        m_announcer->announce(Label3->text());
}

bool dialogo::syncLists()
{
    m_syncing = true;
    const ControlData &shown = m_core.controls;
    // The copies share the core's lists until the core replaces one, so comparing them is cheap.
    if (m_shownBases != shown.bases.entries) {
        m_shownBases = shown.bases.entries;
        List3->clear();
        List3->addItems(m_shownBases);
    }
    List3->setCurrentRow(shown.bases.current);
    List3->setVisible(shown.bases.visible);

    if (m_shownPremises != shown.premises.entries()) {
        m_shownPremises = shown.premises.entries();
        List1->clear();
        List1->addItems(m_shownPremises);
        m_knownPremises.append(m_shownPremises);
        m_knownPremises.removeDuplicates();
    }

    // New entries are followed only while the user has not scrolled away from the end of the list.
    const QScrollBar *scroll = List2->verticalScrollBar();
    const bool followEnd = scroll->value() == scroll->maximum();
    if (List2->count() > shown.history.size())
        List2->clear();
    const bool composed = List2->count() < shown.history.size();
    for (qsizetype i = List2->count(); i < shown.history.size(); ++i) {
        // Each entry is one row: its line breaks show as blanks, and the whole entry as the row's tip.
        auto *row = new QListWidgetItem(
            QString(shown.history[i]).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        row->setToolTip(shownText(shown.history[i]));
        List2->addItem(row);
    }
    if (List2->isVisible() && followEnd)
        List2->scrollToBottom();
    m_syncing = false;
    return composed;
}

void dialogo::mnudiscurso_Click()
{
    Form_Load();
}

void dialogo::mnuPI_Click()
{
    guarded([this] { m_core.toggleBaseList(); });
    syncFromCore();
}

void dialogo::List3_Click()
{
    if (m_syncing)
        return;
    m_core.controls.bases.current = List3->currentRow();
    guarded([this] { m_core.selectBase(); });
    syncFromCore();
}

void dialogo::mnuvisua_Click()
{
    const bool showHistory = !List2->isVisible();
    List2->setVisible(showHistory);
    Frame1->setVisible(!showHistory);
    if (showHistory)
        List2->scrollToBottom();
    else
        focusCommand1IfLost();
}

void dialogo::focusCommand1IfLost()
{
    // Qt leaves the focus on a hidden widget when no other could take it as it was hidden (the bar was
    // hidden too); SPACE would then do nothing until a click.
    const QWidget *focus = focusWidget();
    if (Command1->isVisibleTo(this) && (!focus || !focus->isVisibleTo(this)))
        Command1->setFocus();
}

void dialogo::mnuImpri_Click()
{
    guarded([this] {
        appendHistoryRecord(files().writePath(kHistoryFileName), m_core.controls.history,
                            m_services.clock->shortDate());
    });
}

void dialogo::mnuPsgd_Click()
{
    m_core.state.separator = kJoinedPremises.toString();
}

void dialogo::mnuPspd_Click()
{
    m_core.state.separator = kSeparatedPremises.toString();
}

void dialogo::mnucreditos_Click()
{
    guarded([this] { ShowPropertiesDialog::ShowFileProperties(executable(), this); });
}

void dialogo::mnuAyuda_Click()
{
    // Making the window reads the whole guide, the one step here that can run out of memory.
    std::unique_ptr<ayuda> help;
    if (guarded([&] {
            // The guide's folder: the user's when it holds a guide of the user's own.
            const QString folder = QFileInfo(files().readPath(u"parlanzaguia.ans")).path() + u'/';
            help = std::make_unique<ayuda>(folder, *m_services.printers, this);
        }))
        help->exec();
}

ProgramFiles dialogo::files() const
{
    return ProgramFiles(m_services.directory, m_services.userDirectory, m_services.systemWide);
}

QString dialogo::executable() const
{
    return m_services.executable.isEmpty()
               ? m_core.state.dire + QFileInfo(QCoreApplication::applicationFilePath()).fileName()
               : m_services.executable;
}

namespace {

// The one local file of a drop when it is a premise base file (named *.soy).
QString droppedPremiseFile(const QMimeData *data)
{
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    const QString path = data->urls().constFirst().toLocalFile();
    return path.endsWith(QLatin1String(".soy"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

void dialogo::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPremiseFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void dialogo::dropEvent(QDropEvent *event)
{
    const QString path = droppedPremiseFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_services.premiseFile = path;
    Form_Load();
}

void dialogo::mnuSalir_Click()
{
    close();
}

void dialogo::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    m_services.beeper->silence();
    QMainWindow::closeEvent(event);
}

void dialogo::Timer1_Timer()
{
    Timer1->setInterval(m_core.state.pause);
    Label7->setText(pauseText(m_core.state.pause, QLocale::system()));
    if (!m_core.state.autoMode)
        return;
    // The last tick's beeps that have not sounded yet would sound after this tick's.
    m_services.beeper->silence();
    for (int i = 0; i < 3; ++i)
        m_services.beeper->beep();
    const std::optional<QString> failure = failureOf([this] { m_core.compose(); });
    syncFromCore();
    // Every tick would fail the same way: say it once.
    if (failure && *failure != m_lastTickFailure)
        report(*failure);
    m_lastTickFailure = failure.value_or(QString());
}

void dialogo::Label5_Click()
{
    guarded([this] { m_core.toggleMode(); });
    syncFromCore();
}

void dialogo::Command1_Click()
{
    guarded([this] { m_core.nextSpeech(); });
    syncFromCore();
}

void dialogo::Command2_Click()
{
    m_core.lengthenPause();
    Label7->setText(pauseText(m_core.state.pause, QLocale::system()));
}

void dialogo::Command3_Click()
{
    m_core.shortenPause();
    Label7->setText(pauseText(m_core.state.pause, QLocale::system()));
}

void dialogo::Command4_Click()
{
    if (m_core.stepBack())
        syncFromCore();
}

void dialogo::changeFontSize(int step, int wrapBelow, int wrapAbove)
{
    Label3->resize(Label3->width(), twips(3215));
    const int size =
        toInt16(Label3->font().pointSizeF()).value_or(static_cast<qint16>(kSpeechFontSize)) + step;
    const int next = size > wrapAbove || size < wrapBelow ? 4 : size;
    QFont font = Label3->font();
    font.setPointSize(next);
    Label3->setFont(font);
    Command9->setText(signReserved(next) + QStringLiteral(">>"));
    Command8->setText(QStringLiteral("<<") + signReserved(next));
    Command1->setFocus();
}

void dialogo::Command8_Click()
{
    changeFontSize(-1, 2, 26);
}

void dialogo::Command9_Click()
{
    changeFontSize(+2, 2, 26);
}

void dialogo::Command1_MouseMove()
{
    Label1->setText(shownText(hints::Command1()));
}
void dialogo::Command2_MouseMove()
{
    Label1->setText(shownText(hints::Command2()));
}
void dialogo::Command3_MouseMove()
{
    Label1->setText(shownText(hints::Command3()));
}
void dialogo::Command4_MouseMove()
{
    Label1->setText(shownText(hints::Command4()));
}
void dialogo::Command8_MouseMove()
{
    Label1->setText(shownText(hints::Command8()));
}
void dialogo::Command9_MouseMove()
{
    Label1->setText(shownText(hints::Command9()));
}
void dialogo::Label3_MouseMove()
{
    Label1->setText(shownText(hints::Label3()));
}
void dialogo::Label4_MouseMove()
{
    Label1->setText(shownText(hints::Label4()));
}
void dialogo::Label5_MouseMove()
{
    Label1->setText(shownText(hints::Label5()));
}
void dialogo::Label7_MouseMove()
{
    Label1->setText(shownText(hints::Label7()));
}

bool dialogo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        const std::pair<QObject *, void (dialogo::*)()> handlers[] = {
            {Command1, &dialogo::Command1_MouseMove}, {Command2, &dialogo::Command2_MouseMove},
            {Command3, &dialogo::Command3_MouseMove}, {Command4, &dialogo::Command4_MouseMove},
            {Command8, &dialogo::Command8_MouseMove}, {Command9, &dialogo::Command9_MouseMove},
            {Label3, &dialogo::Label3_MouseMove},     {Label4, &dialogo::Label4_MouseMove},
            {Label5, &dialogo::Label5_MouseMove},     {Label7, &dialogo::Label7_MouseMove}};
        for (const auto &[control, handler] : handlers) {
            if (watched == control)
                (this->*handler)();
        }
    } else if (watched == Label5) {
        // A label's click is a press and a release on it; the second press of a double click is not one.
        const auto leftButton = [event] {
            return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        };
        if (event->type() == QEvent::MouseButtonPress && leftButton()) {
            m_label5Pressed = true;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            m_label5Pressed = false;
        } else if (event->type() == QEvent::MouseButtonRelease && leftButton()) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            const bool click = m_label5Pressed && Label5->rect().contains(at);
            m_label5Pressed = false;
            if (click)
                Label5_Click();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace parlanza
