#pragma once

#include <QStringList>
#include <memory>

class QPrinter;

namespace parlanza {

// The system's default printer, behind an interface so tests can print to a PDF file instead.
class Printers
{
public:
    virtual ~Printers() = default;
    // A printer set up for the default queue, or nothing when the system has none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
};

class SystemPrinters final : public Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override;
};

// Prints the lines one under the other at the given size in the printer's default font, going on to a new
// page when one is full, and hands the job over. False when the printer refuses the job.
bool printLines(QPrinter &printer, const QStringList &lines, double points);

} // namespace parlanza
