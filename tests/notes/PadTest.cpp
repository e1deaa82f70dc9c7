#include "TestEnv.h"
#include "notes/U_NotesPad.h"

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
