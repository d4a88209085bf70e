#include "ayuda.h"

#include "platform/DesignUnits.h"

namespace parlanza {

ayuda::ayuda(const QString &dire, QWidget *parent) : QDialog(parent), m_dire(dire)
{
    setWindowTitle(QStringLiteral("  ® VM           AYUDA          VelarMundo                            "
                                  "www.velarmundo.example"));
    setGeometry(twipsRect(0, 0, 12000, 9000));
}

} // namespace parlanza
