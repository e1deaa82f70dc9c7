#include "TestEnv.h"
#include "core/U_Glb.h"
#include "core/U_MsgLayout.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QSet>

using Helpers = TarvelleTest;

TEST_F(Helpers, SplitFieldsGivesExactlyCountFields)
{
    EXPECT_EQ(SplitFields("a;b;c", ";", 2), QStringList({"a", "b;c"}));
    EXPECT_EQ(SplitFields("a;b;c", ";", 1), QStringList({"a;b;c"}));
    // Fewer separators than fields: the missing ones are empty, nothing is lost.
    EXPECT_EQ(SplitFields("a;b", ";", 4), QStringList({"a", "b", "", ""}));
    EXPECT_EQ(SplitFields("", ";", 3), QStringList({"", "", ""}));
    EXPECT_EQ(SplitFields("x;;y;", ";", 4), QStringList({"x", "", "y", ""}));
}

TEST_F(Helpers, ValueAtLineIsAllAfterTheFirstEquals)
{
    const QStringList lines{"Couleur=255000000", "Titre=a=b", "sans signe"};
    EXPECT_EQ(ValueAtLine(lines, 1), "a=b");
    EXPECT_EQ(ValueAtLine(lines, 2), "sans signe");
    EXPECT_THROW(ValueAtLine(lines, 3), std::out_of_range);
    EXPECT_THROW(ValueAtLine(lines, -1), std::out_of_range);
}

TEST_F(Helpers, ColourTextIsNineDigitsAndRefusesWhatIsNotAColour)
{
    EXPECT_EQ(ColourToText(0xE08492), "146132224");
    EXPECT_EQ(ColourToText(RGBColour(5, 60, 7)), "005060007");
    EXPECT_EQ(TextToColour("255000000"), 0x0000FFu);
    for (const TColor c : {0x000000u, 0xFFFFFFu, 0xE08492u, 0x0A0B0Cu})
        EXPECT_EQ(TextToColour(ColourToText(c)), c);
    for (const char* text : {"25500000x", "abc000000", "25500000", "", "-01000000", "999000000",
                             "256000000", "000256000", "000000256"})
        EXPECT_THROW(TextToColour(text), EConvertError) << text;
}

TEST_F(Helpers, RandomColourNeverHas255AndRandomDirectionGivesBoth)
{
    SeedRandom(20260304);
    QSet<QString> directions;
    for (int i = 0; i < 2000; ++i) {
        const TColor c = RandomColour();
        ASSERT_LT(std::max({RedOf(c), GreenOf(c), BlueOf(c)}), 255);
        ASSERT_EQ(c >> 24, 0u);
        directions.insert(RandomDirection());
    }
    EXPECT_EQ(directions, QSet<QString>({"l", "h"}));
}

TEST_F(Helpers, GradientRunsFromAToBWithHalvesToEvenAndFillsTheBitmap)
{
    const auto steps = GradientSteps(0x000000, 0x0000FF, 10);
    ASSERT_EQ(steps.size(), 11u);
    // 255 * 1 / 10 = 25.5 rounds to 26 (even), 255 * 3 / 10 = 76.5 to 76.
    EXPECT_EQ(std::tuple(steps.front(), RedOf(steps[1]), RedOf(steps[3]), steps.back()),
              std::tuple(0x000000u, 26, 76, 0x0000FFu));
    // Falling channels too: 10 + round(1 * -5 / 2) = 10 - 2.
    EXPECT_EQ(RedOf(GradientSteps(RGBColour(10, 0, 0), RGBColour(5, 0, 0), 2)[1]), 8);

    QImage plain(40, 20, QImage::Format_RGB32), expected(40, 20, QImage::Format_RGB32);
    plain.fill(Qt::red);
    expected.fill(ToQColor(0x336699));
    PaintGradient(plain, 0x336699, 0x336699, "l");
    EXPECT_EQ(plain, expected);
    // White to black over 50 columns: 255 - round(5.1 x), whole columns; 76.5 at x = 15 gives 76.
    QImage across(50, 10, QImage::Format_RGB32), down(10, 30, QImage::Format_RGB32);
    PaintGradient(across, 0xFFFFFF, 0x000000, "l");
    for (const auto& [x, grey] : {std::pair{0, 255}, {15, 179}, {49, 5}})
        for (const int y : {0, 9})
            EXPECT_EQ(across.pixelColor(x, y), QColor(grey, grey, grey)) << x << "," << y;
    // Red to blue down 30 rows, whole rows: 246.5 at y = 29 gives 246.
    PaintGradient(down, 0x0000FF, 0xFF0000, "h");
    for (const int x : {0, 9}) {
        EXPECT_EQ(down.pixelColor(x, 12), QColor(153, 0, 102)) << x;
        EXPECT_EQ(down.pixelColor(x, 29), QColor(9, 0, 246)) << x;
    }
}

TEST_F(Helpers, DateAndTimeTextsIgnoreTheLocale)
{
    clock->Set(QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9)));
    for (const auto language : {QLocale::English, QLocale::Arabic, QLocale::German}) {
        QLocale::setDefault(QLocale(language));
        EXPECT_EQ(CurrentDateText() + " " + CurrentTimeText(), "04/03/2026 07:05:09");
    }
    clock->Set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    EXPECT_EQ(CurrentDateText() + " " + CurrentTimeText(), "31/12/2026 23:59:59");
    QLocale::setDefault(QLocale::c());
}

TEST_F(Helpers, AppFolderFollowsTarvelleHome)
{
    const QString nested = home.filePath("dans/un/dossier");
    qputenv("TARVELLE_HOME", nested.toLocal8Bit());
    ResetAppFolder();
    EXPECT_EQ(AppFolder(), nested + "/");
    EXPECT_TRUE(QDir(nested).exists());
}

// A message of 1 to 200 ms closes at once; none given keeps the design's 2000.
TEST(MsgLayout, ExposeIntervalIsTheAskedTimeLess200)
{
    for (const auto& [asked, interval] :
         {std::pair{1200, 1000}, {201, 1}, {200, 0}, {150, 0}, {1, 0}, {0, 2000}, {-5, 2000}})
        EXPECT_EQ(MsgLayout::ExposeInterval(asked), interval) << asked;
}

TEST(MsgLayout, GeometryRules)
{
    using namespace MsgLayout;
    EXPECT_EQ(CentredLabel(QSize(571, 49), QSize(569, 29)), QPoint(1, 10));
    // Halves round towards zero, also below zero.
    EXPECT_EQ(CentredLabel(QSize(387, 68), QSize(385, 48), 25), QPoint(1, -2));
    EXPECT_EQ(Anchored(QRect(0, 8, 569, 29), QSize(571, 49), QSize(150, 60)), QRect(0, 8, 148, 40));
    for (const auto& [window, width, cancelLeft] : {std::tuple{387, 181, 196}, {225, 100, 115}})
        EXPECT_EQ(std::pair(AnswerButtonWidth(window), CancelButtonLeft(window)),
                  std::pair(width, cancelLeft));
}
