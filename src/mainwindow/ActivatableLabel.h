#pragma once

#include <QLabel>

namespace parlanza {

// A label that works as a control: it takes the focus with TAB, SPACE or ENTER on it is a click, and
// assistive technologies see a button named by its text that can be pressed. The mouse click stays with
// whoever watches the label, so that all three ways end in the same handler through activated().
class ActivatableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ActivatableLabel(QWidget *parent = nullptr);

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace parlanza
