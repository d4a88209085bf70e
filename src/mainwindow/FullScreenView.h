#pragma once

#include <QFont>
#include <QMainWindow>
#include <QSize>
#include <QStringList>

class QLabel;

namespace parlanza {

class Announcer;

// The largest pixel size, from least to most, at which the text, broken at blanks, fits in the area; least
// when not even that fits.
int largestFittingSize(const QString &text, QFont font, const QSize &area, int least, int most);

// A window of its own (a main window, so that screen readers present it as one) that fills the screen with
// the speech alone, one premise a line, in type as large as fits, black on white or white on black as the
// desktop's theme is light or dark. SPACE or a click asks for the next speech, the left arrow for the
// previous one; ESCAPE or F11 closes it.
class FullScreenView : public QMainWindow
{
    Q_OBJECT

public:
    explicit FullScreenView(QWidget *parent);

    // The speech to show, with its counter and the mode at the foot; nothing changes when they are the ones
    // shown.
    void showSpeech(const QStringList &lines, const QString &foot);
    // Has screen readers speak the speech shown, without moving the focus.
    void announceSpeech();

signals:
    void nextSpeechAsked();
    void stepBackAsked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyThemeColours();
    void fitSpeech();

    QLabel *m_speech = nullptr;
    QLabel *m_foot = nullptr;
    Announcer *m_announcer = nullptr;
    bool m_colouring = false;
};

} // namespace parlanza
