#include "toolkit/C_NumericEdit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

namespace {
class NumericEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.SetDisplayFormat("00 h 00");
        edit.SetMaxValue(2359);
    }

    TNumericEdit edit;
};
} // namespace

TEST_F(NumericEditTest, ValueShownThroughTheFormatWithinZeroAndTheMaximum)
{
    EXPECT_EQ(edit.text(), "00 h 00");
    for (auto [value, text] : {std::pair{5, "00 h 05"}, {930, "09 h 30"}, {1430, "14 h 30"}}) {
        edit.SetValue(value);
        EXPECT_EQ(edit.text(), text) << value;
    }
    EXPECT_EQ(TNumericEdit::Formatted(12345, "00 h 00"), "123 h 45") << "digits beyond the format";
    edit.SetValue(2400);
    EXPECT_EQ(edit.Value(), 2359);
    edit.SetValue(-100);
    EXPECT_EQ(edit.Value(), 0);
}

TEST_F(NumericEditTest, TypedDigitsEnterFromTheRightInTheFormatUpToTheMaximum)
{
    QSignalSpy changes(&edit, &TNumericEdit::Change);
    QTest::keyClicks(&edit, "14");
    EXPECT_EQ(edit.text(), "00 h 14") << "the format stays while typing";
    QTest::keyClicks(&edit, "3x05");
    EXPECT_EQ(edit.text(), "14 h 30") << "a letter and 14305, beyond 2359, refused";
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Value(), 143);
    EXPECT_EQ(changes.size(), 5);
    QTest::keyClicks(&edit, "5");
    EXPECT_EQ(edit.Value(), 1435);
    // Entered with the keyboard the whole text is selected: the first digit starts afresh.
    edit.selectAll();
    QTest::keyClicks(&edit, "2400");
    EXPECT_EQ(edit.Value(), 240);

    QGuiApplication::clipboard()->setText("09 h 45");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Value(), 945) << "pasted digits";
    QGuiApplication::clipboard()->setText("12abc");
    edit.paste(); // as the context menu does, not through the keys
    EXPECT_EQ(edit.text(), "09 h 45");

    QSignalSpy doubles(&edit, &TNumericEdit::DblClick);
    QTest::mouseDClick(&edit, Qt::LeftButton);
    EXPECT_EQ(doubles.size(), 1);
}
