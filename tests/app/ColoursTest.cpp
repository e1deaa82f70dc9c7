#include "FragmFixture.h"
#include "app/F_FragmColours.h"
#include "toolkit/C_TransparentLabel.h"

#include <QLineEdit>
#include <QMenu>

class FragmColours : public FragmFixture
{
protected:
    void SetUp() override
    {
        FragmFixture::SetUp();
        Start();
        frm->show();
        SetColourDialog([this](QWidget*) {
            ++dialogsOpened;
            return chosen;
        });
    }
    void TearDown() override
    {
        SetColourDialog(nullptr);
        FragmFixture::TearDown();
    }
    QColor EditColour(QPalette::ColorRole role) const
    {
        return frm->ui.edtMnemo->palette().color(role);
    }

    QColor chosen;
    int dialogsOpened = 0;
};

TEST_F(FragmColours, EveryThemeSetsItsNineValues)
{
    for (const TTheme& theme : Colours::Themes()) {
        Glb().ColoursChanged = false;
        Glb().UseDefaultColours = true;
        frm->menus->mnuColors->findChild<QAction*>(QLatin1String(theme.name))->trigger();
        const TColourSettings expected{theme.gradientA,
                                       theme.gradientB,
                                       QLatin1String(theme.direction),
                                       theme.textBack,
                                       theme.text,
                                       0,
                                       0,
                                       theme.markText};
        EXPECT_EQ(Glb().Colours, expected) << theme.caption;
        EXPECT_EQ(EditColour(QPalette::Base), ToQColor(theme.textBack));
        EXPECT_EQ(EditColour(QPalette::Text), ToQColor(theme.text));
        EXPECT_FALSE(Glb().UseDefaultColours);
        EXPECT_TRUE(Glb().ColoursChanged);
    }
    // "BlueMetal": red 186, green 246, blue 202.
    EXPECT_EQ(ColourToText(Colours::Themes()[0].gradientA), "186246202");
}

TEST_F(FragmColours, TitleColourGivesTheMarkItsContrast)
{
    EXPECT_EQ(Colours::MarkTextFor(0x000000), 0xFFFFFFu);
    EXPECT_EQ(Colours::MarkTextFor(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(Colours::MarkTextFor(0x0000FF), (0xFFFFFFu - 0x0000FF) ^ 0x0000FF);

    chosen = QColor(0, 0, 255);
    QTest::mouseClick(frm->ui.rxTitre, Qt::RightButton);
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(Glb().Colours.TitleColour, 0xFF0000u);
    EXPECT_EQ(Glb().Colours.MarkBackColour, 0xFF0000u);
    EXPECT_EQ(Glb().Colours.MarkTextColour, Colours::MarkTextFor(0xFF0000));
    EXPECT_EQ(frm->ui.rxTitre->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(Glb().ColoursChanged);
}

TEST_F(FragmColours, CancelledDialogStillCountsAsAChange)
{
    chosen = QColor(); // cancelled: the edit's own text colour comes back
    frm->colours->ApplyTextColour(0x123456);
    frm->colours->spdChgColFontClick();
    EXPECT_EQ(Glb().Colours.TextColour, 0x123456u);
    EXPECT_TRUE(Glb().ColoursChanged);
    frm->colours->spdFontLblTitreClick();
    EXPECT_EQ(Glb().Colours.MarkTextColour, 0x123456u);
}

TEST_F(FragmColours, TextDefaultsAndRandomBackground)
{
    frm->colours->ApplyTextBackColour(0x010203);
    Glb().Colours.TextColour = 0xFFFFFF;
    QTest::mouseClick(frm->ui.spdCompNorm, Qt::LeftButton);
    EXPECT_EQ(Glb().Colours.TextBackColour, 0xE08492u);
    EXPECT_EQ(Glb().Colours.TextColour, 0u);
    EXPECT_EQ(EditColour(QPalette::Text), QColor(Qt::black));
    SeedRandom(7);
    QTest::mouseClick(frm->ui.spdColComp, Qt::LeftButton);
    EXPECT_NE(Glb().Colours.TextBackColour, 0xE08492u);
}

TEST_F(FragmColours, RandomGradientFollowsTheClockAndDefaultsComeBack)
{
    Glb().UseDefaultColours = true;
    frm->colours->spdChgColClick();
    EXPECT_FALSE(Glb().UseDefaultColours);
    const TColourSettings first = Glb().Colours;
    EXPECT_NE(first, TColourSettings{});
    // spdChgCol seeds from the clock: a fixed clock gives a fixed gradient.
    SeedRandom(7);
    frm->colours->spdChgColClick();
    EXPECT_EQ(Glb().Colours, first);
    QTest::mouseClick(frm->ui.spdColorNorm, Qt::LeftButton);
    EXPECT_TRUE(Glb().UseDefaultColours);
}
