#pragma once

#include "core/F_MsgALL.h"

#include <functional>

class QPushButton;
class QWidget;

// A modal question with an OK and a cancel button above a black bar that also answers OK.
class TfrmMsgALLBtn : public TfrmMsgALL
{
    Q_OBJECT
public:
    static constexpr int BarHeight = 25;

    explicit TfrmMsgALLBtn(QWidget* parent = nullptr);

    // Asks `request` modally; 1 for OK or the bar, 2 for cancel.
    static int Ask(const TQuestionRequest& request);

    void Configure(const TQuestionRequest& request);
    // Shows the window and waits for the answer; the window is closed when it returns.
    int Exec();

    QWidget* AnswerBar() const { return pnlBtnAnswr; }
    QPushButton* OkButton() const { return btnOK; }
    QPushButton* CancelButton() const { return btnAnnuler; }

Q_SIGNALS:
    void Answered();

protected:
    void ApplySize(int width, int height) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Answer(int value);
    void LayOutBar();

    QWidget* pnlBtnAnswr;
    QPushButton* btnOK;
    QPushButton* btnAnnuler;
    std::function<void()> onOk;
    int result = 2;
    bool answered = false;
    bool closedForGood = false;
};
