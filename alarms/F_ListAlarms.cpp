#include "alarms/F_ListAlarms.h"

#include "alarms/U_AlarmRowsModel.h"
#include "core/F_Controls.h"
#include "core/F_WindowDrag.h"
#include "core/U_Dialogs.h"
#include "core/U_Fonts.h"
#include "core/U_TextFile.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_StringGrid.h"
#include "toolkit/C_TransparentLabel.h"

#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
constexpr int kTimeWidth = 48;
constexpr int kSubjectMargin = 24;
} // namespace

TfrmListAlarms::TfrmListAlarms(const QString& filePath, QWidget* owner)
    : TfrmModWindowPos(owner), filePath(filePath), model(new TAlarmRowsModel(this))
{
    setObjectName(QStringLiteral("frmListAlarms"));
    setFont(Fonts::PixelFont(kSansSerif, 11));
    resize(339, 99);
    CreateControls();
    const TColourSettings& colours = Glb().Colours;
    SetListColours(colours.TextBackColour, colours.TextColour, colours.TitleColour);
}

void TfrmListAlarms::CreateControls()
{
    rxNoAlarm = MakeCaption(this, "rxNoAlarm", QPoint(94, 32),
                            QStringLiteral("A U C U N E   A L A R M E"), font());
    rxNoAlarm->hide();
    rxAffNbrAlrm = MakeCaption(this, "rxAffNbrAlrm", QPoint(2, 83), QString(), font());
    Drag()->Watch(rxNoAlarm);
    Drag()->Watch(rxAffNbrAlrm);

    grdListAlrm = MakeControl<TStringGrid>(this, "grdListAlrm", QRect(2, 8, 335, 68));
    // One empty row at first, as every filled row is followed by one.
    model->SetRows({{}});
    grdListAlrm->setModel(model);
    grdListAlrm->SetDefaultColWidth(64);
    grdListAlrm->SetDefaultRowHeight(15);
    grdListAlrm->SetColWidth(1, kTimeWidth);
    grdListAlrm->SetColWidth(2, grdListAlrm->width() - grdListAlrm->ColWidth(0) - kTimeWidth -
                                    kSubjectMargin);
    grdListAlrm->setShowGrid(true);
    grdListAlrm->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SetCellsEditable(true);
    // The question opens once the press or key is handled, not inside the grid's own handler.
    connect(grdListAlrm, &TStringGrid::CellSelected, this, &TfrmListAlarms::grdListAlrmSelectCell,
            Qt::QueuedConnection);

    scrOutLstAlrm = MakeControl<TSkinPanel>(this, "scrOutLstAlrm", QRect(140, 82, 47, 15));
    scrOutLstAlrm->SetScrollSettings({{QStringLiteral("E x i t")},
                                      TSkinPanel::TDirection::Horizontal,
                                      40,
                                      true,
                                      TSkinPanel::TBevel::Raised});
    scrOutLstAlrm->SetActive(true);
    connect(scrOutLstAlrm, &TSkinPanel::Click, this, &TfrmListAlarms::scrOutLstAlrmClick);
}

void TfrmListAlarms::SetCellsEditable(bool editable)
{
    model->SetEditable(editable);
    grdListAlrm->setEditTriggers(editable ? QAbstractItemView::DoubleClicked |
                                                QAbstractItemView::EditKeyPressed |
                                                QAbstractItemView::AnyKeyPressed
                                          : QAbstractItemView::NoEditTriggers);
}

void TfrmListAlarms::SetListColours(TColor back, TColor text, TColor title)
{
    grdListAlrm->SetColor(back);
    grdListAlrm->SetFontColor(text);
    scrOutLstAlrm->SetColor(back);
    scrOutLstAlrm->SetFontColor(title);
    rxNoAlarm->SetFontColor(title);
    rxAffNbrAlrm->SetFontColor(title);
}

QString TfrmListAlarms::Cell(int column, int row) const
{
    return model->Cell(column, row);
}

int TfrmListAlarms::RowCount() const
{
    return model->rowCount();
}

int TfrmListAlarms::RecordOfRow(int row) const
{
    return rowMap.value(row, -1);
}

// The grid always keeps one empty row below the filled ones.
int TfrmListAlarms::AddAlarmRows(const QString& line, int row)
{
    const QList<TAlarmRowsModel::TRow> rows = TAlarmRowsModel::RecordRows(line);
    model->PlaceRows(row, rows);
    return row + static_cast<int>(rows.size()) - 1;
}

void TfrmListAlarms::ShowAlarmCount()
{
    rxAffNbrAlrm->setText(QString::number(AlarmCount) + QStringLiteral(" alarme") +
                          (AlarmCount > 1 ? QStringLiteral("s") : QString()));
    rxAffNbrAlrm->adjustSize();
}

void TfrmListAlarms::LoadAlarmList()
{
    AlarmCount = 0;
    model->SetRows({{}});
    rowMap.clear();
    if (!QFileInfo::exists(filePath)) {
        grdListAlrm->hide();
        rxNoAlarm->show();
        update();
        return;
    }
    ReadAlarmFile();
}

void TfrmListAlarms::ReadAlarmFile()
{
    QStringList lines;
    QString error;
    if (!ReadAlarmLines(lines, error)) {
        ShowPlainMessage(error + QStringLiteral("Détruire breakPoint.csv"));
        return;
    }
    // Filled at once: a row at a time, the grid would follow every insertion.
    QList<TAlarmRowsModel::TRow> rows;
    for (const QString& line : lines) {
        const QList<TAlarmRowsModel::TRow> recordRows = TAlarmRowsModel::RecordRows(line);
        rows.append(recordRows);
        rowMap.insert(rowMap.size(), recordRows.size(), AlarmCount++);
    }
    // The empty row at the bottom stands for the place after the last record.
    rows.append(TAlarmRowsModel::TRow{});
    rowMap.append(AlarmCount);
    model->SetRows(std::move(rows));
    ShowAlarmCount();
}

bool TfrmListAlarms::ReadAlarmLines(QStringList& lines, QString& error)
{
    return TextFile::ReadLines(filePath, lines, &error);
}

void TfrmListAlarms::grdListAlrmSelectCell(int column, int row)
{
    if (!DeletionAllowed)
        return;
    const QString question = QStringLiteral("Supprimer ") + Cell(0, row) + u'-' + Cell(1, row) +
                             u'<' + Cell(2, row) + QStringLiteral(" ?");
    if (AskQuestion(question, 0, 0xFFFFFF, 0, 12, 0, 0, QStringLiteral("OK"),
                    QStringLiteral("Annuler")) == 1)
        SuppresLigne(column, row);
}

void TfrmListAlarms::scrOutLstAlrmClick()
{
    SetModalResult(1);
}

void TfrmListAlarms::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
}
