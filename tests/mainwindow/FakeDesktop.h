#pragma once

#include "platform/DesktopServices.h"

#include <QEventLoop>
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
