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

// No printer at all: printing asks for the default printer and gets none.
class NoPrinters final : public parlanza::Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        ++asked;
        return nullptr;
    }
    int asked = 0;
};
