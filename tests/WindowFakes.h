#pragma once

#include "FakeDesktop.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QTemporaryDir>

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
