#pragma once

#include <QWidget>

namespace parlanza {

// Has screen readers speak a text without moving the focus and without anything new on screen. Orca presents
// a name change only for the focused control, and not at all for labels; what it speaks unasked is an object
// of the notification role that becomes showing. So the announcer is an empty, unpainted child of its window,
// exposed as a notification named by the text, that shows itself again for each announcement. An announcement
// made while the window is hidden waits until it has been shown.
class Announcer final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kAfterShowMs = 1000; // the window's own presentation comes first

    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
    // What screen readers were last given: the text on one line.
    QString text() const { return m_text; }

signals:
    // The text has just been given to screen readers.
    void announced(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showAgain();

    QString m_text;
    bool m_pending = false;
};

} // namespace parlanza
