#include "LinePrinter.h"

#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <algorithm>

namespace parlanza {

namespace {

// The print dialog's page numbers go up to this; the printout has as many as its speeches fill.
constexpr int kMostPages = 9999;

} // namespace

std::unique_ptr<QPrinter> SystemPrinters::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool SystemPrinters::anyPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::unique_ptr<QPrinter> SystemPrinters::choosePrinter(QWidget *parent, const QString &title)
{
    // A new printer starts on the default queue; the dialog offers the others and printing to a PDF file.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(title);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, kMostPages);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
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

QList<QList<PlacedLine>> placeBlocks(const QList<QList<double>> &lineHeights, double pageHeight, double gap)
{
    QList<QList<PlacedLine>> placed;
    placed.reserve(lineHeights.size());
    int page = 0;
    double next = 0.0; // where the next line would go on the page
    bool pageUsed = false;
    for (const QList<double> &block : lineHeights) {
        double height = 0.0;
        for (const double line : block)
            height += line;
        if (pageUsed && !block.isEmpty()) {
            next += gap;
            if (next + height > pageHeight && height <= pageHeight) {
                ++page;
                next = 0.0;
            }
        }
        QList<PlacedLine> lines;
        lines.reserve(block.size());
        for (const double line : block) {
            // A line at the top of its page stays there even when taller than the page.
            if (next > 0.0 && next + line > pageHeight) {
                ++page;
                next = 0.0;
            }
            lines.append({page, next});
            next += line;
        }
        pageUsed = pageUsed || !block.isEmpty();
        placed.append(lines);
    }
    return placed;
}

namespace {

constexpr double kSpeechPoints = 20.0;
constexpr double kFootPoints = 9.0;
constexpr double kLineSpacing = 1.5; // times the type's own line spacing
constexpr double kLeastMarginMm = 20.0;

// Painting in points, a font of that many pixels is that many points.
QFont fontOfPoints(QFont font, double points)
{
    font.setPixelSize(std::max(1, qRound(points)));
    return font;
}

// A line broken at blanks (or anywhere, for a word wider than the page) into parts that fit the width.
QStringList wrapped(const QString &line, const QFont &font, double width)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList parts;
    layout.beginLayout();
    for (QTextLine part = layout.createLine(); part.isValid(); part = layout.createLine()) {
        part.setLineWidth(width);
        parts.append(line.mid(part.textStart(), part.textLength()).trimmed());
    }
    layout.endLayout();
    return parts;
}

} // namespace

bool printSpeeches(QPrinter &printer, const QList<QStringList> &speeches, const QString &title)
{
    const QMarginsF chosen = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins(
        QMarginsF(std::max(chosen.left(), kLeastMarginMm), std::max(chosen.top(), kLeastMarginMm),
                  std::max(chosen.right(), kLeastMarginMm), std::max(chosen.bottom(), kLeastMarginMm)),
        QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double unit = printer.resolution() / 72.0;
    painter.scale(unit, unit);
    const QRect paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const double width = paintRect.width() / unit;
    const double height = paintRect.height() / unit;

    const QFont body = fontOfPoints(painter.font(), kSpeechPoints);
    const QFont foot = fontOfPoints(painter.font(), kFootPoints);
    const QFontMetricsF bodyMetrics(body);
    const QFontMetricsF footMetrics(foot);
    const double lineHeight = bodyMetrics.lineSpacing() * kLineSpacing;
    const double textHeight = std::max(lineHeight, height - 2 * footMetrics.lineSpacing());

    QList<QStringList> lines;
    QList<QList<double>> heights;
    for (const QStringList &speech : speeches) {
        QStringList parts;
        for (const QString &line : speech)
            parts.append(wrapped(line, body, width));
        heights.append(QList<double>(parts.size(), lineHeight));
        lines.append(parts);
    }
    const QList<QList<PlacedLine>> placed = placeBlocks(heights, textHeight, lineHeight);
    int pageCount = 1;
    for (const QList<PlacedLine> &block : placed) {
        if (!block.isEmpty())
            pageCount = std::max(pageCount, block.constLast().page + 1);
    }

    // The pages asked for in the print dialog ("2-3,5"); none asked for: all of them.
    const QPageRanges asked = printer.pageRanges();
    bool firstPrinted = true;
    for (int page = 1; page <= pageCount; ++page) {
        if (!asked.isEmpty() && !asked.contains(page))
            continue;
        if (!firstPrinted && !printer.newPage())
            return false;
        firstPrinted = false;
        painter.setFont(body);
        for (qsizetype block = 0; block < placed.size(); ++block) {
            for (qsizetype line = 0; line < placed[block].size(); ++line) {
                if (placed[block][line].page == page - 1)
                    painter.drawText(QPointF(0, placed[block][line].top + bodyMetrics.ascent()),
                                     lines[block][line]);
            }
        }
        painter.setFont(foot);
        const QString number = QStringLiteral("Página %1 de %2").arg(page).arg(pageCount);
        const double numberWidth = footMetrics.horizontalAdvance(number);
        const double baseline = height - footMetrics.descent();
        painter.drawText(
            QPointF(0, baseline),
            footMetrics.elidedText(title, Qt::ElideRight, std::max(0.0, width - numberWidth - 20)));
        painter.drawText(QPointF(width - numberWidth, baseline), number);
    }
    return painter.end();
}

} // namespace parlanza
