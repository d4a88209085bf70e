#pragma once

#include <QString>

class QWidget;

namespace parlanza::ShowPropertiesDialog {

// Shows the properties of a file, as a file manager's properties sheet would, in a window owned by the given
// one that does not block it. Greater than 32 when the view was shown; 2 when the file does not exist.
int ShowFileProperties(const QString &path, QWidget *owner);

} // namespace parlanza::ShowPropertiesDialog
