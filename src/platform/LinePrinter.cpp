#include "LinePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace parlanza {

std::unique_ptr<QPrinter> SystemPrinters::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info);
}

bool printLines(QPrinter &printer, const QStringList &lines, double points)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont font = painter.font();
    font.setPointSizeF(points);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
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
