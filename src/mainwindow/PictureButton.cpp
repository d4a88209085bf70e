#include "PictureButton.h"

#include "platform/ReadableColours.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace parlanza {

PictureButton::PictureButton(const QString &source, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent), m_source(source)
{
    // The caption lies on the picture, not on the theme's button colour: it takes the colour that reads on
    // the picture's mean colour.
    if (m_source.isValid()) {
        const QColor mean =
            picture(1).toImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0);
        QPalette shown = palette();
        shown.setColor(QPalette::ButtonText, readableTextOn(mean));
        setPalette(shown);
    }
}

QPixmap PictureButton::picture(qreal scale) const
{
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != scale) {
        const QSize design = m_source.defaultSize();
        QPixmap drawn(design * scale);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        m_source.render(&painter);
        painter.end();
        drawn.setDevicePixelRatio(scale);
        m_drawn = drawn;
    }
    return m_drawn;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect inside = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QPixmap shown = m_source.isValid() ? picture(devicePixelRatioF()) : QPixmap();
    painter.save();
    painter.setClipRect(inside);
    QRect place(QPoint(), m_source.defaultSize());
    place.moveCenter(inside.center());
    painter.drawPixmap(place.topLeft(), shown);
    painter.restore();

    painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace parlanza
