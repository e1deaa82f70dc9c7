#include "FragmFixture.h"

#include <QMenu>
#include <QSet>

using FragmColours = ShownFragm;

// The design's values of one theme along the width and one along the height; every item of the
// menu applies a theme of its own, with a black title and mark background.
TEST_F(FragmColours, ThemesSetTheirDesignColours)
{
    const QMenu* menu = Menu("mnuColors");
    const auto apply = [&](QAction* item) {
        Glb().ColoursChanged = false;
        Glb().UseDefaultColours = true;
        Glb().Colours.TitleColour = Glb().Colours.MarkBackColour = 0x123456;
        item->trigger();
        EXPECT_FALSE(Glb().UseDefaultColours) << item->text().toStdString();
        EXPECT_TRUE(Glb().ColoursChanged) << item->text().toStdString();
        return Glb().Colours;
    };
    const auto edit = [this](QPalette::ColorRole role) {
        return frm->ui.edtMnemo->palette().color(role);
    };
    EXPECT_EQ(apply(Item("BlueMetal1")),
              (TColourSettings{0xCAF6BA, 0x9B5428, "l", 0x817869, 0xDFDFDF, 0, 0, 0xFFFFFF}));
    EXPECT_EQ(edit(QPalette::Base), QColor(105, 120, 129));
    EXPECT_EQ(edit(QPalette::Text), QColor(223, 223, 223));
    EXPECT_EQ(apply(Item("DarkBlue1")),
              (TColourSettings{0x2B0C07, 0xA75658, "h", 0xE08492, 0x000000, 0, 0, 0x37CAF4}));
    EXPECT_EQ(edit(QPalette::Base), QColor(146, 132, 224));
    EXPECT_EQ(edit(QPalette::Text), QColor(Qt::black));

    QStringList captions;
    QSet<TColor> gradients;
    for (QAction* item : menu->actions()) {
        captions.append(item->text());
        const TColourSettings set = apply(item);
        gradients.insert(set.GradientColourA);
        EXPECT_EQ(set.TitleColour | set.MarkBackColour, 0u) << item->text().toStdString();
    }
    EXPECT_EQ(captions, QStringList({"BlueMetal", "BlueRed", "Collant", "DarkBlue", "GrayBlue",
                                     "Metal", "Or", "OrBlue", "Purple", "Sable"}));
    EXPECT_EQ(gradients.size(), 10);
}

TEST_F(FragmColours, TitleColourGivesTheMarkItsContrastAndACancelledDialogStillCounts)
{
    // Whatever the title colour, the mark's text comes out white.
    for (const TColor title : {0x000000u, 0x0000FFu, 0x808080u, 0x123456u, 0xFFFFFFu})
        EXPECT_EQ(Colours::MarkTextFor(title), 0xFFFFFFu) << title;

    Glb().Colours.MarkTextColour = 0x000001;
    chosen = QColor(0, 0, 255);
    QTest::mouseClick(frm->ui.rxTitre, Qt::RightButton);
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(Glb().Colours.TitleColour, 0xFF0000u);
    EXPECT_EQ(Glb().Colours.MarkBackColour, 0xFF0000u);
    EXPECT_EQ(Glb().Colours.MarkTextColour, 0xFFFFFFu);
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
