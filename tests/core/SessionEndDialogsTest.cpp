#include "TestEnv.h"
#include "core/F_Glb.h"
#include "core/F_MsgALLBtn.h"

#include <QApplication>
#include <QColorDialog>
#include <QTimer>

// The real windows: at a session end nobody is there to answer them.
class SessionEndDialogs : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        SetDialogs(std::make_shared<TWindowDialogs>());
    }
    // Ends the session as soon as the window that is about to open has opened.
    static void EndSessionOnceOpen()
    {
        QTimer::singleShot(0, []() {
            Glb().ApplicationTerminating = true;
            CloseOpenDialogs();
        });
    }
    static int ShownWindows()
    {
        int shown = 0;
        for (const QWidget* window : QApplication::topLevelWidgets())
            shown += window->isVisible() ? 1 : 0;
        return shown;
    }
};

TEST_F(SessionEndDialogs, OpenQuestionsAndMessagesCloseUnansweredAndNoneOpensAfterwards)
{
    EndSessionOnceOpen();
    EXPECT_EQ(AskQuestion("Fermer Tarvelle ?", 0x0000FF, 0xFFFFFF, 0, 12, 150, 60, "OK", "Annuler"),
              2);
    Glb().ApplicationTerminating = false;
    EndSessionOnceOpen();
    ShowPlainMessage("Problème au chargement");
    Glb().ApplicationTerminating = false;
    EndSessionOnceOpen();
    EXPECT_EQ(PickColour(0x123456, nullptr), 0x123456u);

    // Once the session ends, a question is "no" without a window, a message goes to stderr.
    ASSERT_TRUE(Glb().ApplicationTerminating);
    EXPECT_EQ(AskQuestion("Conserver ces couleurs ?", 0x000080, 0x808080, 0, 10, 225, 55,
                          "    O K    ", "mais non..."),
              2);
    ShowPlainMessage("Traceur.csv est-il ouvert ?");
    ShowMessageWindow("Pas de zone de notification", 0xFFFFFF, 0, 3000, 12, 0, 0);
    EXPECT_EQ(ShownWindows(), 0);
}
