#include "LinePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace parlanza {

std::unique_ptr<QPrinter> SystemPrinters::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool printLines(QPrinter &printer, const QStringList &lines, double points)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // A size in points becomes a whole number of device pixels, which moves it off the size asked for (10
    // points at 96 dots per inch print at 9.75). Drawing in a unit of points / pixels printer points, with a
    // font of that whole number of pixels, keeps the size exact at any resolution.
    const int pixels = std::max(1, qRound(points));
    const double unit = printer.resolution() / 72.0 * points / pixels;
    painter.scale(unit, unit);
    QFont font = painter.font();
    font.setPixelSize(pixels);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height() / unit;
    double baseline = metrics.ascent();
    for (const QString &line : lines) {
        if (baseline + metrics.descent() > pageHeight) {
            if (!printer.newPage())
                return false;
            baseline = metrics.ascent();
        }
        painter.drawText(QPointF(0, baseline), line);
        baseline += metrics.lineSpacing();
    }
    return painter.end();
}

} // namespace parlanza
