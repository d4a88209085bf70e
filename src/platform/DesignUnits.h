#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QRect>
#include <QString>

class QScrollArea;
class QWidget;

// The windows are laid out in twips (1/1440 inch) and in the fonts they were designed with; these helpers
// turn both into what Qt uses here.
namespace parlanza {

inline constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 logical pixels per inch

constexpr int twips(int value)
{
    return (value >= 0 ? value + kTwipsPerPixel / 2 : value - kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// The place itself when it lies within the available area; otherwise cut to the area's size and moved into
// it.
QRect fitInto(const QRect &outer, const QRect &available);

// Places a top-level window so that its outer frame, title bar included, has the given place and size, or as
// much of them as the screen's available area holds. A maximised, full-screen or minimised window is brought
// back to its normal state first.
void placeFrame(QWidget *window, const QRect &outer);
// The same for a window being shown for the first time: its frame's size is known only once it is shown, and
// on X11 only once the window manager has sent its extents, which may come a little later. So the window is
// placed after the show and placed again, a few times within the first second, while its outer size is still
// off.
void placeFrameOnFirstShow(QWidget *window, const QRect &outer);

// Makes the design font names resolve to the installed metric-compatible Liberation fonts.
void installDesignFontSubstitutes();

QFont designFont(const QString &family, double points, bool bold = false);

// A window icon drawn from its vector source at every usual size, sharp at any scale of the screen.
QIcon drawnIcon(const QString &source);

// Puts a window's design surface, with its controls in place, into a scroll area: a window at its design size
// or larger shows the surface as designed, and scroll bars appear only when the window is smaller, as on a
// screen too small for it, so that no control is out of reach.
QScrollArea *scrollableSurface(QWidget *surface);

// Fills the widget's background, or the given role of its palette, with a design colour, and gives the text
// on it the colour that reads on it (black, or white where black would not stand out).
void paintBackground(QWidget *widget, const QColor &colour, QPalette::ColorRole role = QPalette::Window);

} // namespace parlanza
