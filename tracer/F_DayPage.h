#pragma once

#include <QWidget>

class TStringGrid;
class TTraceGrid;
struct TColourSettings;

// One day's page of the journal: its rows, in a grid made the first time the page is shown.
class TDayPage : public QWidget
{
    Q_OBJECT
public:
    TDayPage(const TTraceGrid& grid, int firstRow, int rows, QWidget* parent = nullptr);

    // Makes the page's grid, once, in the colours of the moment.
    void EnsureGrid();
    // Null until the page was first shown.
    TStringGrid* Grid() const { return view; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetColumnWidths();

    const TTraceGrid& grid;
    int firstRow;
    int rows;
    TStringGrid* view = nullptr;
};
