#pragma once

#include <QList>
#include <QStringList>
#include <memory>

class QPrinter;
class QWidget;

namespace parlanza {

// The system's printers, behind an interface so tests can print to a PDF file instead and never meet a
// modal dialog.
class Printers
{
public:
    virtual ~Printers() = default;
    // A printer set up for the default queue, or nothing when the system has none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
    // Whether the system has any printer at all.
    virtual bool anyPrinter() = 0;
    // The printer, copies and pages the user sets in the desktop's print dialog; nothing when it is
    // cancelled.
    virtual std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QString &title) = 0;
};

class SystemPrinters final : public Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override;
    bool anyPrinter() override;
    std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, const QString &title) override;
};

// Prints the lines one under the other at the given size in the printer's default font, going on to a new
// page when one is full, and hands the job over. False when the printer refuses the job.
bool printLines(QPrinter &printer, const QStringList &lines, double points);

// Speeches printed for reading aloud at a lectern: each line of a speech (a premise) in large type with
// generous spacing, a speech kept whole on one page wherever it fits on one, and the title and the page
// number in small type at the foot of every page. Only the pages the printer asks for are printed. False when
// the printer refuses the job.
bool printSpeeches(QPrinter &printer, const QList<QStringList> &speeches, const QString &title);

// Where each line of a printout goes. Blocks are laid out one after another with a gap between them; a block
// that does not fit in what is left of a page starts a new one, unless it would not fit on a page of its own
// either, and then it is split where a line no longer fits. Every line goes on some page, however tall.
struct PlacedLine
{
    int page = 0;     // from 0
    double top = 0.0; // from the top of the page's text area
};
QList<QList<PlacedLine>> placeBlocks(const QList<QList<double>> &lineHeights, double pageHeight, double gap);

} // namespace parlanza
