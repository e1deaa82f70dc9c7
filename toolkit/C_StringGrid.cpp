#include "C_StringGrid.h"

#include "U_BgrColor.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {
// How near a column's edge the pointer must be to size it, in pixels.
constexpr int kEdgeReach = 3;
constexpr int kTextMargin = 2;

// Cell texts two pixels from the left and cut at the cell's edge, never shortened with an
// ellipsis: a time fits a narrow column whole, as in a classic string grid.
class TCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget* view = option.widget;
        view->style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
        const bool selected = cell.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(cell.font);
        painter->setClipRect(cell.rect);
        painter->drawText(cell.rect.adjusted(kTextMargin, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }
};
} // namespace

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    // One height for every row: the view then never measures rows, however many there are.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    viewport()->setMouseTracking(true);
    setItemDelegate(new TCellDelegate(this));
}

void TStringGrid::SetDefaultColWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
}

void TStringGrid::SetColWidth(int column, int width)
{
    horizontalHeader()->resizeSection(column, width);
}

int TStringGrid::ColWidth(int column) const
{
    return horizontalHeader()->sectionSize(column);
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
}

void TStringGrid::SetColor(quint32 bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, Bgr::ToColor(bgr));
    setPalette(p);
}

void TStringGrid::SetFontColor(quint32 bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, Bgr::ToColor(bgr));
    setPalette(p);
}

int TStringGrid::TopRow() const
{
    return std::max(0, rowAt(0));
}

void TStringGrid::SetTopRow(int row)
{
    // The scroll range follows added rows only at the next layout: bring it up to date first.
    updateGeometries();
    verticalScrollBar()->setValue(row);
}

void TStringGrid::ScrollToEnd()
{
    updateGeometries();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TStringGrid::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.isValid())
        Q_EMIT CellSelected(cell.column(), cell.row());
}

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        Q_EMIT CellSelected(after.column(), after.row());
}

int TStringGrid::EdgeAt(int x) const
{
    const int column = columnAt(x);
    for (const int candidate : {column, column - 1}) {
        if (candidate < 0)
            continue;
        const int edge = columnViewportPosition(candidate) + columnWidth(candidate);
        if (std::abs(x - edge) <= kEdgeReach)
            return candidate;
    }
    return -1;
}

bool TStringGrid::viewportEvent(QEvent* event)
{
    if (colSizing && SizingEvent(event))
        return true;
    return QTableView::viewportEvent(event);
}

bool TStringGrid::SizingEvent(QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = mouse->position().toPoint().x();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        sizedColumn = EdgeAt(x);
        return sizedColumn >= 0;
    }
    if (type == QEvent::MouseMove && sizedColumn >= 0)
        SetColWidth(sizedColumn, std::max(1, x - columnViewportPosition(sizedColumn)));
    else if (type == QEvent::MouseButtonRelease && sizedColumn >= 0)
        sizedColumn = -1;
    else {
        viewport()->setCursor(EdgeAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return false;
    }
    return true;
}
