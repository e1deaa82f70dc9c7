#include "tracer/F_DayPage.h"

#include "core/U_Glb.h"
#include "toolkit/C_StringGrid.h"
#include "tracer/U_DayRowsModel.h"

#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {
// Columns 0 to 2 have their own widths; the four time columns share what is left.
constexpr std::array<int, 3> kFirstWidths = {92, 101, 64};
constexpr int kFixedWidths = 282;
} // namespace

TDayPage::TDayPage(const TTraceGrid& source, int first, int count, QWidget* parent)
    : QWidget(parent), grid(source), firstRow(first), rows(count)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(Glb().Colours.TextBackColour));
    setPalette(palette);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TDayPage::EnsureGrid()
{
    if (view)
        return;
    view = new TStringGrid(this);
    view->setObjectName(QStringLiteral("grdJournal"));
    view->setModel(new TDayRowsModel(grid, firstRow, rows, view));
    view->SetDefaultRowHeight(16);
    view->SetColor(Glb().Colours.TextBackColour);
    view->SetFontColor(Glb().Colours.TextColour);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(true);
    view->setFocusPolicy(Qt::StrongFocus);
    SetColumnWidths();
    layout()->addWidget(view);
}

void TDayPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetColumnWidths();
}

void TDayPage::SetColumnWidths()
{
    if (!view)
        return;
    // The shared width first: it applies to every column, the first three are set after it.
    view->SetDefaultColWidth(std::max(1, (width() - kFixedWidths) / 4));
    for (std::size_t column = 0; column < kFirstWidths.size(); ++column)
        view->SetColWidth(static_cast<int>(column), kFirstWidths[column]);
}
