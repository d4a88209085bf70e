#pragma once

#include <QPlainTextEdit>

namespace parlanza {

// The text of plain lists, with the number of every line in a margin on its left, so that a problem's line
// can be found at a glance.
class ListsEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ListsEdit(QWidget *parent = nullptr);

    int marginWidth() const;
    // Puts the cursor at the start of a 1-based line and shows it.
    void goToLine(qsizetype line);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class LineNumberMargin;
    void paintMargin(QPaintEvent *event);
    void updateMargin(const QRect &rect, int dy);

    QWidget *m_margin;
};

} // namespace parlanza
