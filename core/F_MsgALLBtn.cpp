#include "core/F_MsgALLBtn.h"

#include "core/F_Glb.h"
#include "core/U_Fonts.h"
#include "core/U_MsgLayout.h"
#include "platform/U_Platform.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {
const QSize kDesignSize(387, 68);
constexpr double kOpacity = 196.0 / 255.0;
// Dark as the bar they sit on, so that their light captions read (OK's is yellow).
const QColor kAnswerFace(0x30, 0x30, 0x30);

void StyleAnswerButton(QPushButton* button, const QColor& caption)
{
    button->setFont(Fonts::PointFont(QStringLiteral("MS Sans Serif"), 8, true));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, kAnswerFace);
    palette.setColor(QPalette::ButtonText, caption);
    button->setPalette(palette);
}
} // namespace

TfrmMsgALLBtn::TfrmMsgALLBtn(QWidget* parent)
    : TfrmMsgALL(parent, kDesignSize), pnlBtnAnswr(new QWidget(this)),
      btnOK(new QPushButton(QStringLiteral("OK"), pnlBtnAnswr)),
      btnAnnuler(new QPushButton(QStringLiteral("Annuler"), pnlBtnAnswr))
{
    setObjectName(QStringLiteral("frmMsgALLBtn"));
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setWindowModality(Qt::ApplicationModal);
    setWindowOpacity(kOpacity);
    pnlBtnAnswr->setObjectName(QStringLiteral("pnlBtnAnswr"));
    pnlBtnAnswr->setAutoFillBackground(true);
    QPalette bar = pnlBtnAnswr->palette();
    bar.setColor(QPalette::Window, Qt::black);
    pnlBtnAnswr->setPalette(bar);
    pnlBtnAnswr->installEventFilter(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    StyleAnswerButton(btnOK, Qt::yellow);
    btnAnnuler->setObjectName(QStringLiteral("btnAnnuler"));
    StyleAnswerButton(btnAnnuler, Qt::white);
    connect(btnOK, &QPushButton::clicked, this, [this]() { Answer(1); });
    connect(btnAnnuler, &QPushButton::clicked, this, [this]() { Answer(2); });
    LayOutBar();
}

int TfrmMsgALLBtn::Ask(const TQuestionRequest& request)
{
    TfrmMsgALLBtn window;
    window.Configure(request);
    return window.Exec();
}

void TfrmMsgALLBtn::Configure(const TQuestionRequest& request)
{
    ApplyLook(request.textColour, request.backColour, request.fontSize, request.text);
    rxLblMSG->move(MsgLayout::CentredLabel(size(), rxLblMSG->size(), BarHeight));
    ApplySize(request.width, request.height);
    btnOK->setText(request.okCaption);
    btnAnnuler->setText(request.cancelCaption);
    // The same caption twice makes a one-button notice.
    btnAnnuler->setVisible(request.okCaption != request.cancelCaption);
    onOk = request.onOk;
    TimerExpose->stop();
}

int TfrmMsgALLBtn::Exec()
{
    CentreOnMainWindow(this);
    if (QWidget* main = MainWindow(); main && main->focusWidget())
        PlaceCursorOnControl(main, main->focusWidget());
    show();
    activateWindow();
    if (!closedForGood) {
        QEventLoop loop;
        connect(this, &TfrmMsgALLBtn::Answered, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return result;
}

void TfrmMsgALLBtn::Answer(int value)
{
    if (answered)
        return;
    answered = true;
    result = value;
    close();
}

void TfrmMsgALLBtn::ApplySize(int width, int height)
{
    TfrmMsgALL::ApplySize(width, height);
    LayOutBar();
}

void TfrmMsgALLBtn::LayOutBar()
{
    pnlBtnAnswr->setGeometry(0, height() - BarHeight, width(), BarHeight);
    const int buttonWidth = MsgLayout::AnswerButtonWidth(width());
    btnOK->setGeometry(8, 2, buttonWidth, BarHeight - 4);
    btnAnnuler->setGeometry(MsgLayout::CancelButtonLeft(width()), 2, buttonWidth, BarHeight - 4);
}

bool TfrmMsgALLBtn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlBtnAnswr && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Answer(1);
        if (onOk)
            onOk();
        return true;
    }
    return TfrmMsgALL::eventFilter(watched, event);
}

void TfrmMsgALLBtn::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && btnAnnuler->isVisible())
        Answer(2);
    else
        TfrmMsgALL::keyPressEvent(event);
}

void TfrmMsgALLBtn::closeEvent(QCloseEvent* event)
{
    // Closed by the window manager rather than answered: that is no OK.
    answered = true;
    TfrmMsgALL::closeEvent(event);
    // The answer is given once the window has slid away.
    if (event->isAccepted() && !closedForGood) {
        closedForGood = true;
        Q_EMIT Answered();
    }
}
