#pragma once

#include "core/F_Modal.h"
#include "core/U_WindowSkin.h"

#include <array>

class QTimer;
class TFlatButton;
class TTransparentLabel;

// The clock-face time picker: a small disc on which an hour, then a multiple of five minutes
// is clicked. Its result is 1 with the chosen time, 2 when cancelled or left unanswered.
class TfrmTimeClick : public TfrmModal
{
    Q_OBJECT
public:
    explicit TfrmTimeClick(QWidget* owner = nullptr);

    // A click on the label of position `position` (0 to 11): an hour, then the minutes.
    void RxLabelClick(int position);
    void spdChgMatAMClick();
    void spdCancelerClick();
    void timeCloserTimer();
    // A click on the ring round the dial: done, once an hour was chosen.
    void FormClick();

    // 0 while the hour labels show 0 to 11, 12 while they show 12 to 23.
    int HourOffset = 0;
    // -1 until an hour is clicked.
    int ChosenHour = -1;
    int ChosenMinute = 0;

    QWidget* shpHour;
    std::array<TTransparentLabel*, 12> RxLabel{};
    TFlatButton* spdChgMatAM;
    TFlatButton* spdCanceler;
    QTimer* timeCloser;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLabels();
    void CreateButtons();
    void ApplyColours();
    void ShowMinuteLabels();
    void ShowHours(int offset, int shift);
    bool OnBackground(const QPoint& pos) const;

    TWindowSkin skin;
    bool pressedOnBackground = false;
};
