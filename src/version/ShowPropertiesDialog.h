#pragma once

#include <QString>

class QWidget;

namespace parlanza::ShowPropertiesDialog {

// Shows the properties of a file, owned by the given window; greater than 32 when the view was shown.
int ShowFileProperties(const QString &path, QWidget *owner);

} // namespace parlanza::ShowPropertiesDialog
