#include "TestFiles.h"
#include "core/U_RecoveryFile.h"
#include "core/U_RecoveryJournal.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <random>
#include <sys/stat.h>

using namespace RecoveryJournal;

namespace {
const QStringList kSaved = {"Mnemo_07/12/2026 09:30:00", "----", "old"};
const std::vector<QStringList> kRows = {
    {"a.exe", "A", "07/12/2026", "09:00:00", "09:00:00", "09:10:00", "00:10:00"}};

TBase SavedBase()
{
    return {"/notes/Tarvelle.txt", StampOfLines(kSaved), StampOfRows(kRows)};
}

// The base, two changes of the notes and one of the trace, as bytes.
QByteArray ThreeChanges()
{
    TChange first;
    first.notes = TLinesChange{3, 0, {"entry 1"}};
    TChange second;
    second.notes = TLinesChange{4, 0, {"entry 2", "copy"}};
    second.trace = TRowsChange{
        2, {{1, {"b.exe", "B", "07/12/2026", "09:10:00", "09:10:00", "00:00:00", "00:00:00"}}}};
    TChange third;
    third.notes = TLinesChange{1, 4, {"edited"}};
    return EncodeBase(SavedBase()) + EncodeChange(first) + EncodeChange(second) +
           EncodeChange(third);
}

std::vector<quint64> Sums(const QStringList& lines)
{
    std::vector<quint64> sums;
    for (const QString& line : lines)
        sums.push_back(LineSum(line));
    return sums;
}

mode_t Mode(const QString& path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}
} // namespace

// The whole journal reads back to the state it was written for.
TEST(RecoveryJournal, ReplaysEveryChangeOnItsBase)
{
    const TContent content = Decode(ThreeChanges());
    ASSERT_TRUE(content.base);
    EXPECT_FALSE(content.torn);
    EXPECT_EQ(content.changes.size(), 3u);
    const TReplay replay = Replay(content, "/notes/Tarvelle.txt", kSaved, kRows);
    EXPECT_EQ(replay.notes, TOutcome::Recovered);
    EXPECT_EQ(replay.notesLines, QStringList({"Mnemo_07/12/2026 09:30:00", "edited", "old",
                                              "entry 1", "entry 2", "copy"}));
    EXPECT_EQ(replay.trace, TOutcome::Recovered);
    ASSERT_EQ(replay.traceRows.size(), 2u);
    EXPECT_EQ(replay.traceRows[1][0], "b.exe");
}

// A record cut anywhere, or one byte of it changed, is left out with everything after it:
// never half a change, never a garbled line.
TEST(RecoveryJournal, TornOrGarbledRecordsAreLeftOut)
{
    const QByteArray whole = ThreeChanges();
    const qsizetype lastStart =
        whole.size() - EncodeChange({TLinesChange{1, 4, {"edited"}}, {}}).size();
    for (qsizetype cut = lastStart; cut < whole.size(); ++cut) {
        const TContent content = Decode(whole.left(cut));
        EXPECT_EQ(content.changes.size(), 2u) << cut;
        EXPECT_EQ(content.torn, cut != lastStart) << cut;
    }
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        QByteArray garbled = whole;
        const auto at = std::uniform_int_distribution<qsizetype>(0, whole.size() - 1)(random);
        garbled[at] = static_cast<char>(garbled[at] ^ (1 << (i % 8)));
        const TContent content = Decode(garbled);
        EXPECT_TRUE(content.torn) << at;
        if (!content.base)
            continue;
        // What is read is exactly what was written before the damaged record.
        const TContent clean = Decode(whole);
        for (std::size_t c = 0; c < content.changes.size(); ++c)
            EXPECT_EQ(content.changes[c].notes->lines, clean.changes[c].notes->lines);
    }
    // A length beyond the file or huge, or a stranger's file, reads as nothing.
    QByteArray huge = whole;
    huge[4] = huge[5] = huge[6] = huge[7] = char(0x7F);
    EXPECT_FALSE(Decode(huge).base);
    EXPECT_FALSE(Decode("Mnemo_07/12/2026 09:30:00\r\n").base);
    // A change before any base belongs to no file.
    EXPECT_FALSE(Decode(EncodeChange({TLinesChange{0, 0, {"x"}}, {}})).base);
}

// Changes are replayed only on the files they were made from. Files saved after the journal's
// last record (a crash between the save and the journal's emptying) bring nothing back twice.
TEST(RecoveryJournal, ReplaysOnlyOnItsOwnFiles)
{
    const TContent content = Decode(ThreeChanges());
    const TReplay saved =
        Replay(content, "/notes/Tarvelle.txt", kSaved + QStringList{"entry 1"}, kRows);
    EXPECT_EQ(saved.notes, TOutcome::Mismatch);
    EXPECT_EQ(saved.trace, TOutcome::Recovered);
    const TContent savingLast = Decode(ThreeChanges() + EncodeSaving());
    EXPECT_TRUE(savingLast.savingLast);
    const TReplay afterSave =
        Replay(savingLast, "/notes/Tarvelle.txt", {"all", "saved"}, {kRows[0], kRows[0]});
    EXPECT_EQ(afterSave.notes, TOutcome::AlreadySaved);
    EXPECT_EQ(afterSave.trace, TOutcome::AlreadySaved);
    // A save that failed leaves the files as they were: the changes come back.
    EXPECT_EQ(Replay(savingLast, "/notes/Tarvelle.txt", kSaved, kRows).notes, TOutcome::Recovered);
    EXPECT_EQ(Replay(content, "/other.txt", kSaved, kRows).notes, TOutcome::Mismatch);
    // Changes that undo each other bring nothing back.
    TChange undo;
    undo.notes = TLinesChange{3, 0, {}};
    const QByteArray undone = EncodeBase(SavedBase()) +
                              EncodeChange({TLinesChange{3, 0, {"typed"}}, {}}) +
                              EncodeChange(undo);
    EXPECT_EQ(Replay(Decode(undone), "/notes/Tarvelle.txt", kSaved, kRows).notes,
              TOutcome::Nothing);
    // A change that does not fit the lines is refused, not half applied.
    const QByteArray misfit =
        EncodeBase(SavedBase()) + EncodeChange({TLinesChange{9, 0, {"x"}}, {}});
    EXPECT_EQ(Replay(Decode(misfit), "/notes/Tarvelle.txt", kSaved, kRows).notes,
              TOutcome::Mismatch);
}

// The change between any two lists of lines turns the first into the second, and stays as
// small as their common start and end allow.
TEST(RecoveryJournal, LineChangesAreExactAndSmall)
{
    std::mt19937 random(11);
    for (int run = 0; run < 500; ++run) {
        QStringList before;
        for (int i = std::uniform_int_distribution<int>(0, 8)(random); i > 0; --i)
            before.append(QString::number(random() % 4));
        QStringList after = before;
        const int edits = std::uniform_int_distribution<int>(0, 3)(random);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(random() % (after.size() + 1));
            if (random() % 2 || after.isEmpty() || at == after.size())
                after.insert(at, QString::number(random() % 4));
            else
                after.removeAt(at);
        }
        const TLinesChange change = DiffLines(Sums(before), after, Sums(after));
        QStringList applied = before;
        ASSERT_TRUE(ApplyLines(applied, change));
        EXPECT_EQ(applied, after);
        EXPECT_LE(change.lines.size(), after.size());
    }
    const QStringList many = {"1", "2", "3", "4", "5"};
    const TLinesChange appended =
        DiffLines(Sums(many), many + QStringList{"6"}, Sums(many + QStringList{"6"}));
    EXPECT_EQ(appended.lines, QStringList({"6"}));
    EXPECT_EQ(appended.prefix, 5);
    QStringList rows = many;
    EXPECT_FALSE(ApplyLines(rows, {3, 3, {}}));
    EXPECT_EQ(rows, many);
}

// A row the trace gains comes with its cells; a row beyond the trace is refused.
TEST(RecoveryJournal, RowChangesKeepTheRowsWhole)
{
    std::vector<QStringList> rows = kRows;
    EXPECT_FALSE(ApplyRows(rows, {3, {{2, {"c"}}}}));
    EXPECT_FALSE(ApplyRows(rows, {1, {{1, {"c"}}}}));
    EXPECT_FALSE(ApplyRows(rows, {1, {{-1, {"c"}}}}));
    EXPECT_EQ(rows, kRows);
    EXPECT_TRUE(ApplyRows(rows, {2, {{1, {"b"}}, {0, {"a"}}}}));
    EXPECT_EQ(rows, (std::vector<QStringList>{{"a"}, {"b"}}));
    // The same texts cut otherwise are another content.
    EXPECT_NE(StampOfLines({"ab", "c"}), StampOfLines({"a", "bc"}));
    EXPECT_NE(StampOfRows({{"ab", "c"}}), StampOfRows({{"a", "bc"}}));
}

// Appends and replaces keep the journal private; when the program's folder cannot hold it,
// the user's state folder does, and the newer journal of the two is the one found.
TEST(RecoveryJournal, TheFileIsPrivateAndFallsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const mode_t umaskBefore = ::umask(0);
    TRecoveryFile file(dir.filePath("app/Tarvelle.recup"), dir.filePath("state/T/Tarvelle.recup"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("app"));
    EXPECT_TRUE(file.Append(EncodeBase(SavedBase())));
    EXPECT_TRUE(file.Append(EncodeSaving()));
    EXPECT_EQ(Mode(dir.filePath("app/Tarvelle.recup")), 0600u);
    EXPECT_EQ(file.Found(), dir.filePath("app/Tarvelle.recup"));
    EXPECT_TRUE(Decode(ReadBytes(file.Found())).savingLast);
    EXPECT_TRUE(file.Replace(QByteArray()));
    EXPECT_EQ(file.Found(), QString());

    // The program's folder gone for a file of the same name: nothing can be written there.
    ASSERT_TRUE(QDir(dir.path()).rename("app", "app.old"));
    ASSERT_TRUE(WriteBytes(dir.filePath("app"), "not a folder"));
    EXPECT_FALSE(file.Append(EncodeBase(SavedBase())));
    EXPECT_TRUE(file.Replace(ThreeChanges()));
    ::umask(umaskBefore);
    EXPECT_EQ(file.Path(), dir.filePath("state/T/Tarvelle.recup"));
    EXPECT_EQ(Mode(dir.filePath("state/T")), 0700u);
    EXPECT_EQ(Mode(file.Path()), 0600u);
    EXPECT_TRUE(file.Append(EncodeSaving()));
    EXPECT_EQ(file.Found(), file.Path());
    EXPECT_EQ(Decode(ReadBytes(file.Found())).changes.size(), 3u);
    EXPECT_FALSE(QFileInfo::exists(file.Path() + ".tmp"));
    const QString kept = file.KeepAside(file.Found());
    EXPECT_TRUE(QFileInfo(kept).fileName().startsWith("Tarvelle_recup_")) << kept.toStdString();
    EXPECT_EQ(file.Found(), QString());
}
