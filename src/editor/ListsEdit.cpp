#include "ListsEdit.h"

#include <QPainter>
#include <QTextBlock>

namespace parlanza {

class LineNumberMargin : public QWidget
{
public:
    explicit LineNumberMargin(ListsEdit *edit) : QWidget(edit), m_edit(edit) {}
    QSize sizeHint() const override { return {m_edit->marginWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent *event) override { m_edit->paintMargin(event); }

private:
    ListsEdit *m_edit;
};

ListsEdit::ListsEdit(QWidget *parent) : QPlainTextEdit(parent), m_margin(new LineNumberMargin(this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(marginWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, &ListsEdit::updateMargin);
    setViewportMargins(marginWidth(), 0, 0, 0);
}

int ListsEdit::marginWidth() const
{
    const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
    return 8 + fontMetrics().horizontalAdvance(u'9') * std::max(2, digits);
}

void ListsEdit::goToLine(qsizetype line)
{
    const QTextBlock block = document()->findBlockByNumber(static_cast<int>(line - 1));
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    setTextCursor(cursor);
    centerCursor();
    setFocus();
}

void ListsEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_margin->setGeometry(area.left(), area.top(), marginWidth(), area.height());
}

void ListsEdit::updateMargin(const QRect &rect, int dy)
{
    if (dy != 0)
        m_margin->scroll(0, dy);
    else
        m_margin->update(0, rect.y(), m_margin->width(), rect.height());
}

void ListsEdit::paintMargin(QPaintEvent *event)
{
    QPainter painter(m_margin);
    // The theme's own colours for a quiet margin, readable on light and dark themes alike.
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::Text));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, m_margin->width() - 4, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}

} // namespace parlanza
