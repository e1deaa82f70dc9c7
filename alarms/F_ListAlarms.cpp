#include "alarms/F_ListAlarms.h"

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
#include <QStandardItemModel>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
constexpr int kColumns = 3;
constexpr int kTimeWidth = 48;
constexpr int kSubjectMargin = 24;
const QString kContinuation = QStringLiteral(" - ");

} // namespace

TfrmListAlarms::TfrmListAlarms(const QString& filePath, QWidget* owner)
    : TfrmModWindowPos(owner), filePath(filePath), model(new QStandardItemModel(1, kColumns, this))
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
    return model->index(row, column).data().toString();
}

int TfrmListAlarms::RowCount() const
{
    return model->rowCount();
}

int TfrmListAlarms::RecordOfRow(int row) const
{
    return rowMap.value(row, -1);
}

void TfrmListAlarms::SetCell(int column, int row, const QString& text)
{
    model->setItem(row, column, new QStandardItem(text));
}

void TfrmListAlarms::AppendGridRow()
{
    model->insertRow(model->rowCount());
}

int TfrmListAlarms::AddAlarmRows(const QString& line, int row)
{
    const QStringList fields = SplitFields(line, QStringLiteral(";"), 3);
    AppendGridRow();
    SetCell(0, row, fields[0]);
    SetCell(1, row, fields[1]);
    // A subject's further lines are stored after "|": each takes a row of its own.
    const QStringList subjectLines = fields[2].split(u'|');
    SetCell(2, row, subjectLines.first());
    for (qsizetype part = 1; part < subjectLines.size(); ++part) {
        AppendGridRow();
        ++row;
        SetCell(0, row, kContinuation);
        SetCell(1, row, kContinuation);
        SetCell(2, row, subjectLines[part]);
    }
    return row;
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
    model->setRowCount(0);
    model->setRowCount(1);
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
    if (!TextFile::ReadLines(filePath, lines, &error)) {
        ShowPlainMessage(error + QStringLiteral("Détruire breakPoint.csv"));
        return;
    }
    int row = -1;
    for (const QString& line : lines) {
        const int position = AlarmCount++;
        row = AddAlarmRows(line, row + 1);
        while (rowMap.size() <= row)
            rowMap.append(position);
    }
    // The empty row at the bottom stands for the place after the last record.
    while (rowMap.size() < model->rowCount())
        rowMap.append(AlarmCount);
    ShowAlarmCount();
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
