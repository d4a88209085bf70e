#include "ShowPropertiesDialog.h"

namespace parlanza::ShowPropertiesDialog {

int ShowFileProperties(const QString &, QWidget *)
{
    return 0; // the properties view is not built yet
}

} // namespace parlanza::ShowPropertiesDialog
