#include "TestEnv.h"
#include "notes/U_NotesPad.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using NotesPad = TarvelleTest;

// Lines are counted as a memo counts them: an empty pad has none, one empty line is one line,
// and a last line typed without a line break still counts.
TEST_F(NotesPad, LinesAreAMemosLines)
{
    TNotesPad pad;
    EXPECT_EQ(pad.LineCount(), 0);
    pad.AppendLine("");
    EXPECT_EQ(pad.Lines(), QStringList({""}));
    pad.AppendLine("a\r\nb\nc\rd");
    EXPECT_EQ(pad.Lines(), QStringList({"", "a", "b", "c", "d"}));
    QTextCursor typing(pad.Document());
    typing.movePosition(QTextCursor::End);
    typing.insertText("typed");
    EXPECT_EQ(pad.LineCount(), 6);
    pad.AppendLine("after");
    EXPECT_EQ(pad.Lines().mid(5), QStringList({"typed", "after"}));
    EXPECT_TRUE(Glb().Modified);
    pad.Clear();
    EXPECT_EQ(pad.LineCount(), 0);
}

// Only the lines named change, each with its line break; a last line typed without one keeps
// its place, and a line too long to wrap is told before it comes in.
TEST_F(NotesPad, LinesAreReplacedInPlace)
{
    TNotesPad pad;
    pad.ReplaceLines(0, 0, {"a", "b", "c"});
    EXPECT_EQ(pad.Lines(), QStringList({"a", "b", "c"}));
    pad.ReplaceLines(1, 1, {"x", "y"});
    EXPECT_EQ(pad.Lines(), QStringList({"a", "x", "y", "c"}));
    pad.ReplaceLines(0, 0, {"h"});
    pad.ReplaceLines(5, 0, {"z"});
    EXPECT_EQ(pad.Lines(), QStringList({"h", "a", "x", "y", "c", "z"}));
    pad.ReplaceLines(2, 4, {});
    EXPECT_EQ(pad.Lines(), QStringList({"h", "a"}));
    EXPECT_EQ(pad.Document()->lastBlock().length(), 1);

    QTextCursor typing(pad.Document());
    typing.movePosition(QTextCursor::End);
    typing.insertText("tapé");
    pad.ReplaceLines(3, 0, {"après"});
    EXPECT_EQ(pad.Lines(), QStringList({"h", "a", "tapé", "après"}));
    typing.movePosition(QTextCursor::End);
    typing.insertText("ouvert");
    pad.ReplaceLines(4, 1, {"fermé"});
    EXPECT_EQ(pad.Lines(), QStringList({"h", "a", "tapé", "après", "fermé"}));
    EXPECT_EQ(pad.Document()->lastBlock().length(), 1);

    QSignalSpy told(&pad, &TNotesPad::UnbreakableLineComing);
    pad.ReplaceLines(0, 1, {QString(20000, u'f')});
    EXPECT_EQ(told.count(), 1);
    EXPECT_EQ(pad.LineCount(), 5);
}
