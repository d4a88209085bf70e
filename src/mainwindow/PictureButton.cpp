#include "PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace parlanza {

PictureButton::PictureButton(const QPixmap &picture, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent), m_picture(picture)
{}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect inside = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.save();
    painter.setClipRect(inside);
    QRect picture = m_picture.rect();
    picture.moveCenter(inside.center());
    painter.drawPixmap(picture.topLeft(), m_picture);
    painter.restore();

    painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace parlanza
