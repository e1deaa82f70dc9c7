#include "TestEnv.h"
#include "core/F_Glb.h"
#include "core/F_MsgALL.h"
#include "core/F_MsgALLBtn.h"
#include "core/F_SlideOff.h"
#include "core/U_WindowSkin.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {
TfrmMsgALLBtn* ShownQuestion()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* question = qobject_cast<TfrmMsgALLBtn*>(w); question && question->isVisible())
            return question;
    return nullptr;
}
} // namespace

class MsgWindows : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        SetDialogs(std::make_shared<TWindowDialogs>());
    }
    void TearDown() override
    {
        if (asking) {
            asking.reset();
            EXPECT_TRUE(actedOn) << "no question window shown";
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmMsgALL*>(w))
                delete w;
        SetMainWindow(nullptr);
        TarvelleTest::TearDown();
    }
    // Runs `act` on the question window as soon as its modal loop runs. A question that `act`
    // leaves unanswered is closed unanswered after a few seconds, so that the test fails
    // instead of hanging; one that never comes fails the test at its end.
    void WhenAsked(std::function<void(TfrmMsgALLBtn*)> act)
    {
        asking = std::make_unique<QTimer>();
        actedOn = false;
        auto since = std::make_shared<QElapsedTimer>();
        since->start();
        QObject::connect(asking.get(), &QTimer::timeout, [this, act, since]() {
            TfrmMsgALLBtn* question = ShownQuestion();
            if (question && !actedOn) {
                actedOn = true;
                since->start();
                return act(question);
            }
            if (question && since->elapsed() > 5000) {
                ADD_FAILURE() << "the question was left unanswered";
                question->close();
                since->start();
            }
        });
        asking->start(10);
    }

    std::unique_ptr<QTimer> asking;
    bool actedOn = false;
};

TEST_F(MsgWindows, MessageTakesItsArgumentsKeepsDesignValuesForZeroAndIsCentred)
{
    TfrmMsgALL* shown =
        TfrmMsgALL::ShowMessage({"Tarvelle.txt rechargé", 0xFFFFFF, 0, 1200, 18, 0, 0});
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->Label()->text(), "Tarvelle.txt rechargé");
    EXPECT_EQ(shown->Label()->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(shown->Label()->font().pointSize(), 18);
    EXPECT_EQ(shown->size(), QSize(571, 49));
    EXPECT_EQ(shown->Colour(), TfrmMsgALL::MoneyGreen);
    EXPECT_EQ(shown->ExposeTimer()->interval(), 1000);
    EXPECT_TRUE(shown->ExposeTimer()->isActive());

    TfrmMsgALL* plain = TfrmMsgALL::ShowMessage({"Pas d'enregistrements", 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(plain->Label()->font().pixelSize(), 24);
    EXPECT_EQ(plain->Label()->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(plain->ExposeTimer()->interval(), 2000);

    TfrmMsgALL* sized = TfrmMsgALL::ShowMessage({"Alarme", 0x0000FF, 0xFFFFFF, 2000, 32, 300, 70});
    EXPECT_EQ(sized->size(), QSize(300, 70));
    EXPECT_EQ(sized->Colour(), 0xFFFFFFu);
    // The label follows the window on all four sides, then is centred.
    EXPECT_EQ(sized->Label()->geometry(), QRect(1, 10, 298, 50));
}

// The fired alarms ask for a height alone: their 32-point text must not be clipped.
TEST_F(MsgWindows, ASizeGivenOnOneSideOnlyTakesThatSideAndTheTextFits)
{
    TfrmMsgALL* fired = TfrmMsgALL::ShowMessage({"Réunion budget", 0x0000FF, 0, 2000, 32, 0, 70});
    EXPECT_EQ(fired->size(), QSize(571, 70));
    const QRect label = fired->Label()->geometry();
    EXPECT_GE(label.height(), QFontMetrics(fired->Label()->font()).height());
    EXPECT_TRUE(fired->rect().contains(label));

    TfrmMsgALL* wide = TfrmMsgALL::ShowMessage({"large", 0, 0, 0, 0, 300, 0});
    EXPECT_EQ(wide->size(), QSize(300, 49));
    EXPECT_EQ(wide->Label()->geometry().width(), 298);
}

// Centred on a main window that sits partly off the screen, the windows would be partly out
// of reach: they stay inside the work area.
TEST_F(MsgWindows, WindowsCentredOnAMainWindowPartlyOffTheScreenStayInsideTheWorkArea)
{
    QWidget main;
    SetMainWindow(&main);
    const QRect work = platform->workArea;
    for (const QPoint& at : {QPoint(900, 700), QPoint(-200, -90), QPoint(990, -50)}) {
        main.setGeometry(QRect(at, QSize(277, 116)));
        TfrmMsgALL* shown = TfrmMsgALL::ShowMessage({"hors champ", 0, 0, 0, 0, 0, 0});
        EXPECT_TRUE(work.contains(shown->geometry())) << at.x() << "," << at.y();
        WhenAsked([work](TfrmMsgALLBtn* q) {
            EXPECT_TRUE(work.contains(q->geometry()));
            EXPECT_TRUE(work.contains(
                QRect(q->OkButton()->mapToGlobal(QPoint(0, 0)), q->OkButton()->size())));
            QTest::mouseClick(q->OkButton(), Qt::LeftButton);
        });
        EXPECT_EQ(AskQuestion("Fermer Tarvelle ?", 0, 0xFFFFFF, 0, 12, 150, 60, "OK", "Annuler"),
                  1);
    }
    // Well inside, the window is centred as before.
    main.setGeometry(300, 200, 277, 116);
    TfrmMsgALL* centred = TfrmMsgALL::ShowMessage({"au centre", 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(centred->geometry().center(), main.geometry().center());
}

TEST_F(MsgWindows, SeveralMessagesLiveAndEachSlidesOffTheScreenWhenClosed)
{
    QPointer<TfrmMsgALL> first = TfrmMsgALL::ShowMessage({"un", 0, 0, 5000, 0, 0, 0});
    QPointer<TfrmMsgALL> second = TfrmMsgALL::ShowMessage({"deux", 0, 0, 1200, 0, 0, 0});
    QPointer<TfrmMsgALL> third = TfrmMsgALL::ShowMessage({"au revoir", 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(first->isVisible() && second->isVisible() && third->isVisible());
    second->ExposeTimer()->setInterval(0); // its time has come
    QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), 5000);

    third->close();
    EXPECT_TRUE(third->isVisible()) << "gone only once slid off the screen";
    QTRY_VERIFY_WITH_TIMEOUT(third.isNull(), 5000);
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible() && first->ExposeTimer()->isActive());
}

TEST_F(MsgWindows, SlideEndsPastEitherEdgeInWholeSteps)
{
    QWidget window;
    window.resize(100, 40);
    for (int i = 0; i < 8; ++i) {
        window.move(500, 10);
        QSignalSpy finished(SlideOffScreen(&window, 3), &TSlideOff::Finished);
        ASSERT_TRUE(finished.wait(5000));
        const int x = window.x();
        const bool right = x >= 1024 && (x - 500) % 9 == 0 && x - 9 < 1024;
        const bool left = x + 100 <= 0 && (500 - x) % 3 == 0 && x + 3 + 100 > 0;
        EXPECT_TRUE(right || left) << x;
        EXPECT_EQ(window.y(), 10);
    }
}

TEST_F(MsgWindows, NoticeOfEqualCaptionsAnswersOneCentredAboveTheBarWithThePointerOnTheFocus)
{
    QWidget main;
    main.setGeometry(200, 100, 277, 116);
    auto* edit = new QLineEdit(&main);
    edit->setGeometry(40, 50, 100, 20);
    main.show();
    edit->setFocus();
    QApplication::setActiveWindow(&main);
    SetMainWindow(&main);
    WhenAsked([](TfrmMsgALLBtn* q) {
        EXPECT_FALSE(q->CancelButton()->isVisible());
        EXPECT_EQ(q->OkButton()->text(), "OK");
        EXPECT_FALSE(q->ExposeTimer()->isActive());
        EXPECT_EQ(q->size(), QSize(387, 68));
        const QRect label = q->Label()->geometry();
        EXPECT_EQ(label.x(), (387 - label.width()) / 2);
        EXPECT_EQ(label.y(), (68 - 25 - label.height()) / 2);
        QTest::mouseClick(q->OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(AskQuestion("Fermer Tarvelle ?", 0, 0xFFFFFF, 0, 12, 0, 0, "OK", "OK"), 1);
    ASSERT_FALSE(platform->cursorMoves.isEmpty());
    EXPECT_EQ(platform->cursorMoves.first(), main.pos() + QPoint(40 + 100 / 2, 50 + 20 / 2));
}

TEST_F(MsgWindows, CancelAnswersTwoAndTheBarOutsideTheButtonsAnswersOneRunningOnOk)
{
    int ranOnOk = 0;
    const TQuestionRequest request{
        "Fermer Tarvelle ?", 0x0000FF, 0xFFFFFF, 0, 12, 150, 60, "OK", "Annuler", [&] {
            ++ranOnOk;
        }};
    WhenAsked([](TfrmMsgALLBtn* q) {
        EXPECT_TRUE(q->CancelButton()->isVisible());
        EXPECT_EQ(q->CancelButton()->text(), "Annuler");
        EXPECT_EQ(q->size(), QSize(150, 60));
        EXPECT_EQ(q->Label()->palette().color(QPalette::WindowText), QColor(Qt::red));
        QTest::mouseClick(q->CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(TfrmMsgALLBtn::Ask(request), 2);
    EXPECT_EQ(ranOnOk, 0);

    WhenAsked([](TfrmMsgALLBtn* q) {
        QWidget* bar = q->AnswerBar();
        EXPECT_EQ(bar->height(), 25);
        EXPECT_EQ(bar->geometry().bottom(), q->height() - 1);
        const int betweenButtons = (q->OkButton()->geometry().right() + q->CancelButton()->x()) / 2;
        ASSERT_EQ(bar->childAt(betweenButtons, 12), nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(betweenButtons, 12));
    });
    EXPECT_EQ(TfrmMsgALLBtn::Ask(request), 1);
    EXPECT_EQ(ranOnOk, 1);

    // Closed by the window manager: the modal loop ends, and that is no OK.
    WhenAsked([](TfrmMsgALLBtn* q) { q->close(); });
    EXPECT_EQ(TfrmMsgALLBtn::Ask(request), 2);
    EXPECT_EQ(ranOnOk, 1);
}

TEST_F(MsgWindows, WindowsDragFromAnyPoint)
{
    TfrmMsgALL* shown = TfrmMsgALL::ShowMessage({"glisser", 0, 0, 0, 0, 0, 0});
    shown->move(100, 100);
    const QPoint onLabel = shown->Label()->geometry().center();
    const QPoint to = onLabel + QPoint(30, 20);
    QTest::mousePress(shown, Qt::LeftButton, {}, onLabel);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(shown->mapToGlobal(to)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(shown, &move);
    QTest::mouseRelease(shown, Qt::LeftButton, {}, to);
    EXPECT_EQ(shown->pos(), QPoint(130, 120));
}

TEST_F(MsgWindows, AnswerCaptionsReadOnTheirButtonsFaces)
{
    TfrmMsgALLBtn question;
    question.Configure(
        {"Enregistrer le fichier ?", 0, 0xFFFFFF, 0, 10, 150, 55, "    O K    ", "Non !!", {}});
    EXPECT_EQ(question.OkButton()->palette().color(QPalette::ButtonText), QColor(Qt::yellow));
    for (QPushButton* button : {question.OkButton(), question.CancelButton()}) {
        const QColor caption = button->palette().color(QPalette::ButtonText);
        const QImage drawn = button->grab().toImage();
        // The face behind the caption, at its lightest, is seen with the caption taken away.
        const QString text = button->text();
        button->setText(QString());
        const QImage face = button->grab().toImage();
        button->setText(text);
        bool captionDrawn = false;
        double worst = 21;
        const QRect behind = button->rect().adjusted(4, 4, -4, -4);
        for (int y = behind.top(); y <= behind.bottom(); ++y)
            for (int x = behind.left(); x <= behind.right(); ++x) {
                captionDrawn |= drawn.pixelColor(x, y) == caption;
                worst = std::min(worst, ContrastRatio(caption, face.pixelColor(x, y)));
            }
        EXPECT_TRUE(captionDrawn) << text.toStdString();
        EXPECT_GE(worst, 4.5) << text.toStdString();
    }
}
