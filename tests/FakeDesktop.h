#pragma once

#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"

#include <QEventLoop>
#include <QPrinter>
#include <QStringList>
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

// No printer at all, or a PDF file standing in for the default printer.
class FilePrinters final : public parlanza::Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        if (path.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        ++jobs;
        return printer;
    }
    QString path;
    int jobs = 0;
};
using NoPrinters = FilePrinters;
