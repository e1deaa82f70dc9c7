#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"

#include <QCoreApplication>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// Enough lines for a few steps of the load: about 2.5 million characters.
constexpr int kLines = 50000;

class LoadSteps : public TarvelleTest
{
protected:
    QString NotesPath() const { return AppFolder() + "Tarvelle.txt"; }

    // A notes file of today's (no day lines) in the program's own form; its lines.
    QStringList WriteNotes(const QString& header = NotesText::NewHeader())
    {
        QStringList lines{header, NotesText::Rule()};
        for (int i = 0; i < kLines; ++i)
            lines.append(QStringLiteral("Ligne %1 : quarante-huit caractères de texte.").arg(i, 6));
        bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
        EXPECT_TRUE(WriteBytes(NotesPath(), bytes));
        return lines;
    }

    // The queued steps run until the load ends: a condition, never a time.
    void FinishLoad()
    {
        for (int turns = 0; pad.Loading() && turns < 1000; ++turns)
            QCoreApplication::processEvents();
        ASSERT_FALSE(pad.Loading());
    }

    TNotesPad pad;
    QByteArray bytes;
};
} // namespace

TEST(NotesTextRaw, LineBreaksBecomeTheDocumentsOwnAndLongRunsAreFound)
{
    const QChar p = QChar::ParagraphSeparator;
    EXPECT_EQ(NotesText::RawLines("a\r\nb\nc\rd\r\r\ne"), QString("a%1b%1c%1d%1%1e").arg(p));
    EXPECT_EQ(NotesText::RawLines(QString("x") + QChar(0xFDD0) + "y\r"), QString("x%1y%1").arg(p));
    EXPECT_EQ(NotesText::RawLines(""), "");

    const QString run(10, u'f');
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run, 10));
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(run + "f", 10));
    // A space before a letter or a digit ends a run; a line break too.
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + " a" + run, 11));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + "\r\n" + run, 10));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + QChar(p) + run, 10));
    // Spaces before punctuation and non-breaking spaces give no place to wrap.
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(QString(" ;").repeated(6), 10));
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(run + QChar(0xA0) + "a", 10));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(QString("mot ").repeated(10000)));
}

TEST_F(LoadSteps, ALargeFileComesInStepsThenWholeWithLinesAddedMeanwhileAfterIt)
{
    const QStringList lines = WriteNotes();
    EXPECT_TRUE(pad.LoadNotes());
    ASSERT_TRUE(pad.Loading());
    EXPECT_LT(pad.LineCount(), lines.size());
    EXPECT_EQ(pad.Line(0), lines.at(0));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(Glb().DataLoaded);
    // A copy that arrives during the load, and a word typed at the pad's start.
    QCoreApplication::processEvents();
    ASSERT_TRUE(pad.Loading());
    pad.AppendLine("copie pendant le chargement");
    QTextCursor typing(pad.Document());
    typing.insertText("Tapé ");
    FinishLoad();
    QStringList expected = lines;
    expected[0].prepend("Tapé ");
    expected.append("copie pendant le chargement");
    EXPECT_EQ(pad.Lines(), expected);
    EXPECT_TRUE(Glb().Modified);

    // Nothing added during a load: the pad is as its file.
    pad.Clear();
    Glb().DataLoaded = false;
    pad.LoadNotes();
    FinishLoad();
    EXPECT_EQ(pad.Lines(), lines);
    EXPECT_FALSE(Glb().Modified);
}

TEST_F(LoadSteps, ASaveDuringTheLoadWritesTheWholeFileAndOnlyOnce)
{
    Glb().Options.TimeOnRecording = false;
    const QStringList lines = WriteNotes();
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), bytes);

    pad.AppendLine("ajout");
    QTextCursor typing(pad.Document());
    typing.insertText(">");
    ASSERT_TRUE(pad.Loading());
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), ">" + bytes + "ajout\r\n");
    FinishLoad();
    EXPECT_EQ(pad.LineCount(), lines.size() + 1);
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), ">" + bytes + "ajout\r\n");
}

// The day lines belong to the load: they come after the file's lines, before any copy taken
// meanwhile, and a pad emptied during a load gets nothing more from it.
TEST_F(LoadSteps, DayLinesEndTheLoadAndClearingStopsIt)
{
    const QStringList lines = WriteNotes("Mnemo_06/12/2026 18:00:00");
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    pad.AppendLine("copie");
    FinishLoad();
    const QStringList all = pad.Lines();
    ASSERT_EQ(all.size(), lines.size() + 4);
    EXPECT_EQ(all.mid(lines.size()),
              QStringList({NotesText::DaySeparator(), "Mnemo_07/12/2026 09:30:00",
                           NotesText::Rule(), "copie"}));

    // A last line without its line end, and no header: the day lines start a line of their own.
    pad.Clear();
    ASSERT_TRUE(WriteBytes(NotesPath(), "f" + QByteArray(3 << 20, 'f')));
    pad.LoadNotes();
    FinishLoad();
    EXPECT_EQ(pad.Lines(), QStringList({QString((3 << 20) + 1, u'f'), NotesText::DaySeparator(),
                                        "Mnemo_07/12/2026 09:30:00", NotesText::Rule()}));

    WriteNotes();
    pad.Clear();
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    pad.Clear();
    EXPECT_FALSE(pad.Loading());
    QCoreApplication::processEvents();
    EXPECT_EQ(pad.LineCount(), 0);
}
