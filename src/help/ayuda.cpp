#include "ayuda.h"

#include "platform/CopyKey.h"
#include "platform/DesignUnits.h"
#include "platform/LinePrinter.h"
#include "platform/Marks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace parlanza {

namespace {

constexpr int kIndexReturn = 2; // document line 3
constexpr int kHeadingLead = 8; // the heading is brought up to this many rows above the line shown

// The window's outer place and size.
QRect designPlace()
{
    return twipsRect(0, 0, 12000, 9000);
}

// Keys that put a character into the search box, ENTER and BACKSPACE included, and the paste keys; TAB,
// ESCAPE and the other control keys do not. The character code the key stands for, or 0.
int characterOf(const QKeyEvent &key)
{
    const QString typed = key.text();
    if (!typed.isEmpty() && (typed.front().isPrint() || typed.front() == u'\r' || typed.front() == u'\b'))
        return typed.front().unicode();
    constexpr int kPaste = 22; // CTRL+V
    return key.matches(QKeySequence::Paste) ? kPaste : 0;
}

QString command2Hint()
{
    return QStringLiteral(" Permite imprimir el texto seleccionado de la lista. Solo el seleccionado. ");
}

QString command3Hint()
{
    return QStringLiteral(" Al Hacer -Click- aquí, se presenta en pantalla el INDICE de la Ayuda. Dando gran "
                          "agilidad a la busqueda de datos.\n"
                          " Después de elegir en el INDICE, con -SPACE-, vuelve nuevamente al INDICE");
}

QString list1Hint()
{
    return QStringLiteral(" Al pulsar sobre cualquier opción del INDICE, esta se presentará en pantalla\n"
                          " Permite selccionar el texto deseado en la lista e imprimirlo.");
}

QString text1Hint()
{
    return QStringLiteral(
        " Permite introducir un TEXTO. Con ENTER lo buscará en la lista.\n"
        "  Presentará las simulitudes encontradas, dando el nº de línea donde se encuentra.");
}

} // namespace

ayuda::ayuda(const QString &dire, Printers &printers, QWidget *parent)
    : QDialog(parent), m_dire(dire), m_printers(printers)
{
    setObjectName(QStringLiteral("ayuda"));
    setWindowTitle(caption());
    setWindowIcon(drawnIcon(QStringLiteral(":/pictures/parlanza.svg")));
    paintBackground(this, QColor(128, 128, 0), QPalette::Window);
    createControls();
    Form_Load();
}

QString ayuda::caption()
{
    return QStringLiteral("  ® ") + marks::kInitials.toString() + QString(11, u' ') +
           QStringLiteral("AYUDA") + QString(10, u' ') + marks::kMaker.toString() + QString(28, u' ') +
           marks::kWebAddress.toString();
}

void ayuda::createControls()
{
    const QFont sansSerif = designFont(QStringLiteral("MS Sans Serif"), 8.25);
    auto *surface = new QWidget(this);
    paintBackground(surface, QColor(128, 128, 0), QPalette::Window);
    List1 = new QListWidget(surface);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Guía de uso"));
    List1->setGeometry(twipsRect(810, 0, 11115, 7230));
    List1->setFont(designFont(QStringLiteral("Courier New"), 9.75));
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List1->setUniformItemSizes(true);
    paintBackground(List1, QColor(224, 224, 224), QPalette::Base);

    Text1 = new QLineEdit(QStringLiteral("Texto a Buscar?"), surface);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Texto a buscar"));
    Text1->setGeometry(twipsRect(840, 7470, 11085, 285));
    Text1->setFont(sansSerif);
    paintBackground(Text1, QColor(192, 255, 255), QPalette::Base);

    auto button = [surface, &sansSerif](const QString &name, const QString &text, const QRect &place) {
        auto *result = new QPushButton(text, surface);
        result->setObjectName(name);
        result->setAccessibleName(text);
        result->setGeometry(place);
        result->setFont(sansSerif);
        result->setAutoDefault(false);
        return result;
    };
    auto label = [surface](const QString &name, const QString &text, const QRect &place, const QFont &font) {
        auto *result = new QLabel(text, surface);
        result->setObjectName(name);
        result->setTextFormat(Qt::PlainText);
        result->setGeometry(place);
        result->setFont(font);
        return result;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Buscar"), twipsRect(6090, 7230, 1215, 255));
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Introducir el texto a Buscar"),
                   twipsRect(3360, 7230, 2205, 225), sansSerif);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    paintBackground(Label1, QColor(192, 192, 255), QPalette::Window);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Imprimir Seleccion"),
                      twipsRect(8040, 7230, 1605, 255));
    Label2 = label(QStringLiteral("Label2"), QString(), twipsRect(870, 7800, 11025, 585),
                   designFont(QStringLiteral("MS Sans Serif"), 9.75));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setWordWrap(true);
    paintBackground(Label2, QColor(192, 192, 192), QPalette::Window);
    Label2->setAccessibleDescription(QStringLiteral("Indicaciones sobre el mando que señala el ratón"));
    Command3 =
        button(QStringLiteral("Command3"), QStringLiteral("INDICE"), twipsRect(10350, 7230, 1035, 255));

    // Assistive technologies read each control's hint as its description.
    List1->setAccessibleDescription(list1Hint().trimmed());
    Text1->setAccessibleDescription(text1Hint().trimmed());
    Command1->setAccessibleDescription(QStringLiteral("Busca en la guía el texto de la casilla"));
    Command2->setAccessibleDescription(command2Hint().trimmed());
    Command3->setAccessibleDescription(command3Hint().trimmed());

    // CTRL+C, or the list's context menu, copies the selected lines without their numbers.
    auto *copy = new QAction(QStringLiteral("Copiar las líneas elegidas"), List1);
    copy->setObjectName(QStringLiteral("copyLines"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] {
        QList<int> selected;
        for (const QListWidgetItem *item : List1->selectedItems())
            selected.append(List1->row(item));
        if (!selected.isEmpty())
            QApplication::clipboard()->setText(m_document.copiedText(selected));
    });
    List1->setContextMenuPolicy(Qt::ActionsContextMenu);
    List1->addAction(copy);
    new CopyKey(List1, copy);

    // The tab order of the design; the labels take no focus.
    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(Command1, &QPushButton::clicked, this, &ayuda::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ayuda::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ayuda::Command3_Click);
    // A click, or a move of the current line with the keyboard, picks a line; the program's own selecting
    // does not.
    connect(List1, &QListWidget::clicked, this, [this] {
        if (!m_selecting)
            List1_Click();
    });
    // The list selects the new current line with the keyboard only after announcing it; look up after that.
    connect(List1, &QListWidget::currentRowChanged, this, [this] {
        if (!m_selecting && QApplication::mouseButtons() == Qt::NoButton)
            QMetaObject::invokeMethod(this, &ayuda::List1_Click, Qt::QueuedConnection);
    });
    for (QWidget *control : std::initializer_list<QWidget *>{Command2, Command3, List1->viewport(), Text1}) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollableSurface(surface));
    List1->setFocus();
}

void ayuda::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeFrameOnFirstShow(this, designPlace());
    }
    List1->setFocus();
}

void ayuda::Form_Load()
{
    placeFrame(this, designPlace());
    // A missing or unreadable document leaves the list empty, without a message.
    m_document = HelpDocument::load(m_dire + QStringLiteral("parlanzaguia.ans"));
    List1->addItems(m_document.lines());
}

void ayuda::selectLine(int position)
{
    QListWidgetItem *item = List1->item(position);
    if (!item)
        return;
    m_selecting = true;
    const QModelIndex index = List1->model()->index(position, 0);
    List1->selectionModel()->select(index, QItemSelectionModel::Select);
    List1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    List1->scrollToItem(item, QAbstractItemView::EnsureVisible);
    m_selecting = false;
}

void ayuda::deselectLine(int position)
{
    m_selecting = true;
    List1->selectionModel()->select(List1->model()->index(position, 0), QItemSelectionModel::Deselect);
    m_selecting = false;
}

void ayuda::List1_Click()
{
    const std::optional<int> heading = m_document.lookup(List1->currentRow());
    if (!heading)
        return;
    selectLine(*heading);
    if (*heading + kHeadingLead < List1->count()) {
        selectLine(*heading + kHeadingLead);
        deselectLine(*heading + kHeadingLead);
    } else {
        // Fewer lines follow the heading than it is brought up by: show the end of the document.
        List1->scrollToBottom();
    }
    Command3->setFocus();
}

void ayuda::Command3_Click()
{
    selectLine(kIndexReturn);
}

void ayuda::Command1_Click()
{
    const std::optional<HelpDocument::Search> found = m_document.search(Text1->text());
    if (!found)
        return;
    List1->clearSelection();
    // All matches are selected at once and the last one becomes current. The list scrolls as if it had
    // been brought to each match in turn by the least amount that shows it, so the last match is in view
    // with as many of the earlier ones as that leaves.
    if (!found->matches.isEmpty()) {
        QItemSelection matches;
        for (const int p : found->matches) {
            const QModelIndex index = List1->model()->index(p, 0);
            matches.select(index, index);
        }
        const int last = found->matches.last();
        m_selecting = true;
        List1->selectionModel()->select(matches, QItemSelectionModel::Select);
        List1->selectionModel()->setCurrentIndex(List1->model()->index(last, 0),
                                                 QItemSelectionModel::NoUpdate);
        for (const int p : found->matches)
            List1->scrollToItem(List1->item(p), QAbstractItemView::EnsureVisible);
        m_selecting = false;
    }
    Text1->setText(found->answer);
}

bool ayuda::Text1_KeyPress(int keyAscii)
{
    List1->clearSelection();
    if (keyAscii != 13)
        return false;
    Command1_Click();
    return true;
}

void ayuda::Text1_Click()
{
    Text1->clear();
}

void ayuda::Command2_Click()
{
    // Without a printer, or when the job is refused, the command ends without a word.
    const std::unique_ptr<QPrinter> printer = m_printers.defaultPrinter();
    if (!printer)
        return;
    QList<int> selected;
    for (const QListWidgetItem *item : List1->selectedItems())
        selected.append(List1->row(item));
    const QStringList lines = m_document.printout(selected);
    printLines(*printer, lines, 10.0);
}

void ayuda::Command2_MouseMove()
{
    Label2->setText(command2Hint());
}

void ayuda::Command3_MouseMove()
{
    Label2->setText(command3Hint());
}

void ayuda::List1_MouseMove()
{
    Label2->setText(list1Hint());
}

void ayuda::Text1_MouseMove()
{
    Label2->setText(text1Hint());
}

void ayuda::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: ESCAPE does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ayuda::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == Command2)
            Command2_MouseMove();
        else if (watched == Command3)
            Command3_MouseMove();
        else if (watched == List1->viewport())
            List1_MouseMove();
        else if (watched == Text1)
            Text1_MouseMove();
        break;
    case QEvent::MouseButtonRelease:
        if (watched == Text1)
            Text1_Click();
        break;
    case QEvent::KeyPress:
        if (watched == Text1) {
            const int character = characterOf(*static_cast<QKeyEvent *>(event));
            if (character != 0 && Text1_KeyPress(character))
                return true; // ENTER searched; the box takes nothing more from it
        }
        break;
    case QEvent::InputMethod:
        // Accented letters made with a dead key or an input method arrive as a commit, not as a key.
        if (watched == Text1 && !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
            Text1_KeyPress(static_cast<QInputMethodEvent *>(event)->commitString().front().unicode());
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace parlanza
