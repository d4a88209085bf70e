#pragma once

#include <QDialog>

namespace parlanza {

// The help window. It opens with its caption and size; the help document, index and search are not built yet.
class ayuda : public QDialog
{
    Q_OBJECT

public:
    explicit ayuda(const QString &dire, QWidget *parent = nullptr);

private:
    QString m_dire;
};

} // namespace parlanza
