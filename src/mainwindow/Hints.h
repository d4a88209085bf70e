#pragma once

#include <QString>

// The hints that the main window's controls write into the hint area when the pointer moves over them.
namespace parlanza::hints {

QString Command1();
QString Command2();
QString Command3();
QString Command4();
QString Command8();
QString Command9();
QString Label3();
QString Label4();
QString Label5();
QString Label7();

} // namespace parlanza::hints
