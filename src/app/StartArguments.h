#pragma once

#include <QString>
#include <QStringList>

namespace parlanza {

// What the command line asks of the program: start (with a premise base file of the user's choice, or the
// usual one), or answer --help or --version without opening a window, or refuse a bad command line.
struct StartArguments
{
    enum class Action
    {
        Start,
        Answer,
        Refuse
    };
    Action action = Action::Start;
    QString premiseFile;        // empty: the usual dialogo.soy
    QString text;               // the answer for standard output, or the reason for standard error
    bool unknownOption = false; // perhaps one that Qt's window system takes for itself
};

// The arguments as the program received them, the first being its own name.
StartArguments readStartArguments(const QStringList &arguments);

// What the program says when no window can be opened: no display, and where to turn instead.
QString noDisplayMessage();

} // namespace parlanza
