#include "FullScreenView.h"

#include "platform/Announcer.h"
#include "platform/ReadableColours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace parlanza {

namespace {

constexpr int kLeastPixels = 8;
constexpr int kMostPixels = 400;
// The themes' window colours lie far on either side: a dark theme's near black, a light one's near white.
constexpr double kDarkThemeLuminance = 0.18;

bool fits(const QString &text, const QFont &font, const QSize &area)
{
    const QRect needed = QFontMetrics(font).boundingRect(
        QRect(0, 0, area.width(), area.height()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

} // namespace

int largestFittingSize(const QString &text, QFont font, const QSize &area, int least, int most)
{
    int good = least;
    int bad = most + 1;
    while (bad - good > 1) {
        const int middle = good + (bad - good) / 2;
        font.setPixelSize(middle);
        if (fits(text, font, area))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

FullScreenView::FullScreenView(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FullScreenView"));
    setWindowTitle(QStringLiteral("Parlanza: discurso en pantalla completa"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);

    auto *surface = new QWidget(this);
    m_speech = new QLabel(surface);
    m_speech->setObjectName(QStringLiteral("speech"));
    m_speech->setTextFormat(Qt::PlainText);
    m_speech->setWordWrap(true);
    m_speech->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_speech->setFocusPolicy(Qt::NoFocus);
    m_speech->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_foot = new QLabel(surface);
    m_foot->setObjectName(QStringLiteral("foot"));
    m_foot->setTextFormat(Qt::PlainText);
    m_foot->setFocusPolicy(Qt::NoFocus);
    m_foot->setAccessibleDescription(
        QStringLiteral("Espacio o clic: discurso siguiente. Flecha izquierda: discurso anterior. "
                       "Escape o F11: salir de la pantalla completa."));

    m_announcer = new Announcer(this);
    m_speech->installEventFilter(this);
    auto *layout = new QVBoxLayout(surface);
    layout->setContentsMargins(48, 32, 48, 16);
    layout->addWidget(m_speech, 1);
    layout->addWidget(m_foot, 0);
    setCentralWidget(surface);
    applyThemeColours();
}

void FullScreenView::showSpeech(const QStringList &lines, const QString &foot)
{
    m_foot->setText(foot);
    const QString text = lines.join(u'\n');
    if (text != m_speech->text()) {
        m_speech->setText(text);
        fitSpeech();
    }
}

void FullScreenView::announceSpeech()
{
    m_announcer->announce(m_speech->text());
}

void FullScreenView::fitSpeech()
{
    const QSize area = m_speech->contentsRect().size();
    if (area.isEmpty())
        return;
    QFont font = m_speech->font();
    font.setPixelSize(largestFittingSize(m_speech->text(), font, area, kLeastPixels, kMostPixels));
    m_speech->setFont(font);
}

void FullScreenView::applyThemeColours()
{
    m_colouring = true;
    const QColor theme = QApplication::palette().color(QPalette::Window);
    const QColor background = relativeLuminance(theme) < kDarkThemeLuminance ? Qt::black : Qt::white;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, readableTextOn(background));
    setPalette(colours);
    setAutoFillBackground(true);
    m_colouring = false;
}

void FullScreenView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        // A held key gives one speech, as on the next-speech button.
        if (!event->isAutoRepeat())
            emit nextSpeechAsked();
        break;
    case Qt::Key_Left:
        emit stepBackAsked();
        break;
    case Qt::Key_Escape:
    case Qt::Key_F11:
        close();
        break;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void FullScreenView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit nextSpeechAsked();
    else
        QMainWindow::mouseReleaseEvent(event);
}

void FullScreenView::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const int footPixels = std::max(kLeastPixels * 2, height() / 40);
    if (m_foot->font().pixelSize() != footPixels) {
        QFont small = m_foot->font();
        small.setPixelSize(footPixels);
        m_foot->setFont(small);
    }
}

bool FullScreenView::eventFilter(QObject *watched, QEvent *event)
{
    // The speech's room is known once the layout has placed it.
    if (watched == m_speech && event->type() == QEvent::Resize)
        fitSpeech();
    return QMainWindow::eventFilter(watched, event);
}

void FullScreenView::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A theme changed while the view is open: its colours follow, light or dark.
    const QEvent::Type type = event->type();
    if ((type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange ||
         type == QEvent::ThemeChange) &&
        !m_colouring)
        applyThemeColours();
}

} // namespace parlanza
