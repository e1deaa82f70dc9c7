#pragma once

#include <QTableView>

// A grid of text cells in the manner of a classic string grid: no header, a fixed row height,
// columns sized one by one, and, when allowed, sized by the user dragging a column's right
// edge within the cells.
class TStringGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);

    void SetDefaultColWidth(int width);
    void SetColWidth(int column, int width);
    int ColWidth(int column) const;
    void SetDefaultRowHeight(int height);
    void SetColSizing(bool allowed) { colSizing = allowed; }
    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    // The first row in view.
    int TopRow() const;
    // Brings `row` to the top of the view, as far as the rows below it allow.
    void SetTopRow(int row);
    // The last rows in view.
    void ScrollToEnd();

Q_SIGNALS:
    // The user selected a cell: pressed on it with the mouse (the current one too) or moved
    // the current cell with the keyboard; the program setting the current cell does not count.
    void CellSelected(int column, int row);

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The column whose right edge lies within reach of `x`, or -1.
    int EdgeAt(int x) const;
    bool SizingEvent(QEvent* event);

    bool colSizing = false;
    int sizedColumn = -1;
};
