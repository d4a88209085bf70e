#pragma once

#include <QPixmap>
#include <QPushButton>

namespace parlanza {

// A button with a decorative picture behind its caption, centred and cut to the button as the design draws
// it.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QPixmap &picture, const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace parlanza
