#include "FragmFixture.h"

using FragmColours = ShownFragm;

TEST_F(FragmColours, EveryThemeSetsItsNineValues)
{
    const auto editColour = [this](QPalette::ColorRole role) {
        return frm->ui.edtMnemo->palette().color(role);
    };
    for (const TTheme& theme : Colours::Themes()) {
        Glb().ColoursChanged = false;
        Glb().UseDefaultColours = true;
        Menu("mnuColors")->findChild<QAction*>(QLatin1String(theme.name))->trigger();
        const QString direction = QLatin1String(theme.direction);
        const TColourSettings expected{
            theme.gradientA, theme.gradientB, direction, theme.textBack, theme.text, 0, 0,
            theme.markText};
        EXPECT_EQ(Glb().Colours, expected) << theme.caption;
        EXPECT_EQ(editColour(QPalette::Base), ToQColor(theme.textBack));
        EXPECT_EQ(editColour(QPalette::Text), ToQColor(theme.text));
        EXPECT_FALSE(Glb().UseDefaultColours);
        EXPECT_TRUE(Glb().ColoursChanged);
    }
    // "BlueMetal": red 186, green 246, blue 202.
    EXPECT_EQ(ColourToText(Colours::Themes()[0].gradientA), "186246202");
}

TEST_F(FragmColours, TitleColourGivesTheMarkItsContrastAndACancelledDialogStillCounts)
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

    // Cancelled: the colour passed to the dialog, the edit's own text colour, comes back.
    chosen = QColor();
    Glb().ColoursChanged = false;
    Colours().ApplyTextColour(0x123456);
    Colours().spdChgColFontClick();
    EXPECT_EQ(Glb().Colours.TextColour, 0x123456u);
    EXPECT_TRUE(Glb().ColoursChanged);
    Colours().spdFontLblTitreClick();
    EXPECT_EQ(Glb().Colours.MarkTextColour, 0x123456u);
}

TEST_F(FragmColours, RandomAndDefaultButtonsAndTheDefaultsAtTheNextPaint)
{
    Glb().UseDefaultColours = true;
    Colours().spdChgColClick();
    EXPECT_FALSE(Glb().UseDefaultColours);
    const TColourSettings first = Glb().Colours;
    EXPECT_NE(first, TColourSettings{});
    // spdChgCol seeds from the clock: a fixed clock gives a fixed gradient.
    SeedRandom(7);
    Colours().spdChgColClick();
    EXPECT_EQ(Glb().Colours, first);

    Colours().ApplyTextBackColour(0x010203);
    Glb().Colours.TextColour = 0xFFFFFF;
    QTest::mouseClick(frm->ui.spdCompNorm, Qt::LeftButton);
    EXPECT_EQ(Glb().Colours.TextBackColour, 0xE08492u);
    EXPECT_EQ(Glb().Colours.TextColour, 0u);
    EXPECT_EQ(frm->ui.edtMnemo->palette().color(QPalette::Text), QColor(Qt::black));
    SeedRandom(7);
    QTest::mouseClick(frm->ui.spdColComp, Qt::LeftButton);
    EXPECT_NE(Glb().Colours.TextBackColour, 0xE08492u);

    Glb().Colours.MarkTextColour = 0x000001;
    Glb().Colours.GradientDirection = "h";
    QTest::mouseClick(frm->ui.spdColorNorm, Qt::LeftButton);
    EXPECT_TRUE(Glb().UseDefaultColours);
    const QImage shot = frm->grab().toImage();
    EXPECT_EQ(Glb().Colours, TColourSettings{});                              // all eight
    EXPECT_EQ(shot.pixelColor(210, 75), shot.pixelColor(210, 84));            // along the width
    EXPECT_GT(shot.pixelColor(48, 75).red(), shot.pixelColor(210, 75).red()); // white to black
    EXPECT_EQ(shot.pixelColor(48, 75).red(), shot.pixelColor(48, 75).blue());
}
