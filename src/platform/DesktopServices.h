#pragma once

#include <QString>

class QWidget;

namespace parlanza {

// The message box with an OK button and the program's title, behind an interface so tests never block on one.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void show(QWidget *parent, const QString &text) = 0;
};

class SystemMessageBoxes final : public MessageBoxes
{
public:
    void show(QWidget *parent, const QString &text) override;
};

class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
    // Drops the beeps asked for that have not sounded yet.
    virtual void silence() {}
    // How long the beeps asked for still take to sound, in milliseconds.
    virtual int soundingMs() const { return 0; }
};

class SystemBeeper final : public Beeper
{
public:
    void beep() override;
};

} // namespace parlanza
