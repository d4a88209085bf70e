#pragma once

#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"
#include "platform/RandomSource.h"

#include <QEventLoop>
#include <QPageRanges>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// Records the message boxes instead of showing them; can keep each one "open" for a while, running events
// meanwhile as a real modal box does.
class FakeMessageBoxes final : public parlanza::MessageBoxes
{
public:
    void show(QWidget *, const QString &text) override
    {
        shown.append(text);
        if (holdMs > 0) {
            QEventLoop loop;
            QTimer::singleShot(holdMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
    QStringList shown;
    int holdMs = 0;
};

class CountingBeeper final : public parlanza::Beeper
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// No printer at all: printing asks for the default printer and gets none.
class NoPrinters final : public parlanza::Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        ++asked;
        return nullptr;
    }
    bool anyPrinter() override { return false; }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *, const QString &) override
    {
        ++asked;
        return nullptr;
    }
    int asked = 0;
};

// A printer that writes PDF files into a folder, one per job; its print dialog is answered in advance:
// cancelled, or accepted with a range of pages (0 to 0: all of them).
class PdfPrinters final : public parlanza::Printers
{
public:
    explicit PdfPrinters(const QString &folder) : m_folder(folder) {}
    std::unique_ptr<QPrinter> defaultPrinter() override { return pdfPrinter(); }
    bool anyPrinter() override { return true; }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *, const QString &title) override
    {
        titles.append(title);
        if (cancel)
            return nullptr;
        auto printer = pdfPrinter();
        printer->setPageRanges(QPageRanges::fromString(pages));
        return printer;
    }
    // The file of the last job.
    QString lastFile() const { return QStringLiteral("%1/trabajo-%2.pdf").arg(m_folder).arg(jobs); }

    bool cancel = false;
    QString pages;
    int jobs = 0;
    QStringList titles;

private:
    std::unique_ptr<QPrinter> pdfPrinter()
    {
        ++jobs;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setOutputFileName(lastFile());
        return printer;
    }
    QString m_folder;
};

// What a main window under test is given: a fixed clock, a seeded random source, message boxes and beeps
// recorded, no printer, and a folder of its own.
struct WindowFakes
{
    QTemporaryDir dir;
    parlanza::FixedClock clock{0.0f, QStringLiteral("06/12/2026")};
    parlanza::UniformRandom random{5};
    FakeMessageBoxes messages;
    CountingBeeper beeper;
    NoPrinters printers;

    parlanza::dialogo::Services services(const QString &folder)
    {
        return {&clock, &random, &messages, &beeper, &printers, folder};
    }
    parlanza::dialogo::Services services() { return services(dir.path()); }
};
