#include "PictureButton.h"

#include "platform/ReadableColours.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace parlanza {

PictureButton::PictureButton(const QPixmap &picture, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent), m_picture(picture)
{
    // The caption lies on the picture, not on the theme's button colour: it takes the colour that reads on
    // the picture's mean colour.
    if (!picture.isNull()) {
        const QColor mean =
            picture.toImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0);
        QPalette shown = palette();
        shown.setColor(QPalette::ButtonText, readableTextOn(mean));
        setPalette(shown);
    }
}

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
