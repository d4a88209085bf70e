#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

namespace parlanza {

// A button with a decorative picture behind its caption, centred and cut to the button as the design draws
// it. The picture is drawn from its vector source at the screen's scale, so it stays sharp at any of them.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString &source, const QString &caption, QWidget *parent = nullptr);

    // The picture as drawn for a scale (1 for the design's pixels).
    QPixmap picture(qreal scale) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    mutable QSvgRenderer m_source; // rendering changes its animation state, not the picture
    mutable QPixmap m_drawn;       // the picture at the scale it was last drawn for
};

} // namespace parlanza
