#include "DesignUnits.h"

#include <QTimer>
#include <QWidget>

namespace parlanza {

void placeFrame(QWidget *window, const QRect &outer)
{
    // Qt moves the frame but sizes the inside; the frame's own size is known once the window is shown.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->move(outer.topLeft());
    window->resize(outer.size() - frame);
}

void placeFrameOnFirstShow(QWidget *window, const QRect &outer)
{
    QTimer::singleShot(0, window, [window, outer] { placeFrame(window, outer); });
    for (const int ms : {100, 300, 1000}) {
        QTimer::singleShot(ms, window, [window, outer] {
            if (window->isVisible() && window->frameGeometry().size() != outer.size())
                placeFrame(window, outer);
        });
    }
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
