#include "DesignUnits.h"

#include "ReadableColours.h"

#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace parlanza {

namespace {

constexpr Qt::WindowStates kNotNormal = Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;

QRect fittedPlace(const QWidget *window, const QRect &outer)
{
    const QScreen *screen = window->screen();
    return screen ? fitInto(outer, screen->availableGeometry()) : outer;
}

} // namespace

QRect fitInto(const QRect &outer, const QRect &available)
{
    if (available.isEmpty() || available.contains(outer))
        return outer;
    QRect fitted(outer.topLeft(), outer.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() + 1 - fitted.height()));
    return fitted;
}

void placeFrame(QWidget *window, const QRect &outer)
{
    // A maximised, full-screen or minimised window goes back to its normal state first; its frame then
    // changes as the window manager answers, so the place is set again once that is known.
    if (window->windowState() & kNotNormal) {
        window->setWindowState(window->windowState() & ~kNotNormal);
        if (window->isVisible())
            placeFrameOnFirstShow(window, outer);
    }
    const QRect place = fittedPlace(window, outer);
    // Qt moves the frame but sizes the inside; the frame's own size is known once the window is shown.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->move(place.topLeft());
    window->resize(place.size() - frame);
}

void placeFrameOnFirstShow(QWidget *window, const QRect &outer)
{
    QTimer::singleShot(0, window, [window, outer] { placeFrame(window, outer); });
    for (const int ms : {100, 300, 1000}) {
        QTimer::singleShot(ms, window, [window, outer] {
            if (window->isVisible() && window->frameGeometry().size() != fittedPlace(window, outer).size())
                placeFrame(window, outer);
        });
    }
}

QIcon drawnIcon(const QString &source)
{
    QSvgRenderer renderer(source);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap drawn(size, size);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(drawn);
    }
    return icon;
}

QScrollArea *scrollableSurface(QWidget *surface)
{
    QRect used;
    for (const QWidget *control : surface->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        used |= control->geometry();
    surface->setMinimumSize(used.right() + 1, used.bottom() + 1);
    auto *area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // the tab order stays that of the controls
    area->setPalette(surface->palette());
    area->setWidgetResizable(true);
    area->setWidget(surface);
    return area;
}

void installDesignFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

void paintBackground(QWidget *widget, const QColor &colour, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    // The design's text goes with its background, whatever the desktop's theme makes of the other colours;
    // so do the selections of the lists it paints.
    const QColor text = readableTextOn(colour);
    switch (role) {
    case QPalette::Base:
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
        palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
        break;
    case QPalette::Button:
        // The style draws a button's face somewhat lighter than its colour.
        palette.setColor(QPalette::ButtonText, readableTextOn(colour.lighter(115)));
        break;
    default:
        palette.setColor(QPalette::WindowText, text);
        break;
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont designFont(const QString &family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace parlanza
