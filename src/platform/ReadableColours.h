#pragma once

#include <QColor>

// Contrast between text and background as WCAG 2 measures it, and the text colour that reads best on a
// background the design fixes.
namespace parlanza {

// The relative luminance of an sRGB colour, 0 for black to 1 for white.
double relativeLuminance(const QColor &colour);
// From 1 (no contrast) to 21 (black on white); the order of the two colours does not matter.
double contrastRatio(const QColor &one, const QColor &other);
// Black, the design's text colour, unless white stands out more from the background.
QColor readableTextOn(const QColor &background);

} // namespace parlanza
