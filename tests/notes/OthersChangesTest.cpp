#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesWatch.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <memory>

namespace {
const QByteArray kLoaded = "Mnemo_07/12/2026 09:00:00\r\nmine\r\n";

class OthersChanges : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Glb().Options.TimeOnRecording = false;
        ASSERT_TRUE(WriteBytes(NotesPath(), kLoaded));
        ASSERT_TRUE(pad.LoadNotes());
    }
    QString NotesPath() const { return AppFolder() + "Tarvelle.txt"; }
    QString KeptPath() const { return AppFolder() + "Tarvelle_modifié_07-12-2026à09-30-00.txt"; }
    // Another editor saving the file the usual way: a new file renamed over the old one.
    void ReplaceOnDisk(const QByteArray& bytes)
    {
        const QString temporary = AppFolder() + "editor.swp";
        ASSERT_TRUE(WriteBytes(temporary, bytes));
        ASSERT_EQ(::rename(QFile::encodeName(temporary).constData(),
                           QFile::encodeName(NotesPath()).constData()),
                  0);
    }
    TNotesPad pad;
};
} // namespace

// The pad's own saves are no change; a line another program added is kept aside, said, and
// then the pad is saved over it.
TEST_F(OthersChanges, SaveKeepsTheVersionChangedOnDiskAside)
{
    pad.AppendLine("one");
    ASSERT_TRUE(pad.SaveNotes());
    pad.AppendLine("two");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(KeptPath()));

    const QByteArray theirs = ReadBytes(NotesPath()) + "typed elsewhere\r\n";
    ASSERT_TRUE(WriteBytes(NotesPath(), theirs));
    pad.AppendLine("three");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(KeptPath()), theirs);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains(KeptPath()));
    EXPECT_EQ(ReadBytes(NotesPath()), kLoaded + "one\r\ntwo\r\nthree\r\n");

    // Kept once: the next save finds the file as the pad left it.
    pad.AppendLine("four");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

TEST_F(OthersChanges, AnotherFileShownIsKeptAsideBesideItself)
{
    ASSERT_TRUE(QDir(home.path()).mkpath("docs"));
    const QString other = QDir(home.path()).filePath("docs/liste.txt");
    ASSERT_TRUE(WriteBytes(other, "a\nb\n"));
    ASSERT_TRUE(pad.UseOtherFile(other));
    pad.Clear();
    ASSERT_TRUE(pad.LoadNotes());
    ASSERT_TRUE(WriteBytes(other, "a\nb\nc\n"));
    pad.AppendLine("d");
    ASSERT_TRUE(pad.SaveNotes());
    const QString kept = QDir(home.path()).filePath("docs/liste_modifié_07-12-2026à09-30-00.txt");
    EXPECT_EQ(ReadBytes(kept), "a\nb\nc\n");
    EXPECT_EQ(ReadBytes(other), "a\nb\nd\n");
}

// Without an unsaved change the pad takes the file as it now is, says so, and leaves the
// trace's own unsaved state as it was.
TEST_F(OthersChanges, AnUnchangedPadIsReloaded)
{
    Glb().Modified = true;
    ReplaceOnDisk(kLoaded + "typed elsewhere\r\n");
    pad.DiskFileChanged();
    EXPECT_EQ(pad.Lines(), QStringList({"Mnemo_07/12/2026 09:00:00", "mine", "typed elsewhere"}));
    ASSERT_EQ(dialogs->messages.size(), 1);
    const TMessageRequest& told = dialogs->messages.first();
    EXPECT_EQ(told.text, "Tarvelle.txt rechargé");
    EXPECT_EQ(told.textColour, 0xFFFFFFu);
    EXPECT_EQ(told.durationMs, 1200);
    EXPECT_EQ(told.fontSize, 18);
    EXPECT_TRUE(Glb().Modified);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    // Reloaded, the pad saves over that version without keeping it again.
    pad.AppendLine("x");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_FALSE(QFileInfo::exists(KeptPath()));
}

TEST_F(OthersChanges, APadWithUnsavedChangesIsSavedAfterKeepingTheirs)
{
    pad.AppendLine("unsaved");
    ReplaceOnDisk(kLoaded + "typed elsewhere\r\n");
    pad.DiskFileChanged();
    EXPECT_EQ(ReadBytes(KeptPath()), kLoaded + "typed elsewhere\r\n");
    EXPECT_EQ(ReadBytes(NotesPath()), kLoaded + "unsaved\r\n");
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

// A change of times only, the pad's own save, a file gone: nothing happens.
TEST_F(OthersChanges, WhatChangesNoByteIsNoChange)
{
    pad.AppendLine("x");
    ASSERT_TRUE(pad.SaveNotes());
    pad.DiskFileChanged();
    QFile file(NotesPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
    file.close();
    pad.DiskFileChanged();
    ASSERT_TRUE(QFile::remove(NotesPath()));
    pad.DiskFileChanged();
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_EQ(pad.LineCount(), 3);
}

// The watch follows the file through an editor's rename and through its removal and return,
// and takes no notice of the pad's own saves.
TEST_F(OthersChanges, TheWatchSeesChangesWhileTheProgramRuns)
{
    TNotesWatch watch(pad);
    pad.Clear();
    ASSERT_TRUE(pad.LoadNotes());
    ASSERT_EQ(watch.WatchedPath(), QFileInfo(NotesPath()).absoluteFilePath());

    ReplaceOnDisk(kLoaded + "first\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->messages.size() == 1; }, 5000));
    EXPECT_EQ(pad.Line(2), "first");

    // In place, after the rename: still watched.
    ASSERT_TRUE(WriteBytes(NotesPath(), kLoaded + "second\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->messages.size() == 2; }, 5000));
    EXPECT_EQ(pad.Line(2), "second");

    ASSERT_TRUE(QFile::remove(NotesPath()));
    ASSERT_TRUE(WriteBytes(NotesPath(), kLoaded + "third\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->messages.size() == 3; }, 5000));
    EXPECT_EQ(pad.Line(2), "third");

    // The pad's own save, then a change by another program: only the latter is seen.
    pad.AppendLine("fourth");
    ASSERT_TRUE(pad.SaveNotes());
    ReplaceOnDisk(ReadBytes(NotesPath()) + "fifth\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->messages.size() == 4; }, 5000));
    EXPECT_EQ(pad.Lines().mid(2), QStringList({"third", "fourth", "fifth"}));
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

namespace {
// While a message of the pad's save waits for the user, the event loop runs: another program
// changes the file then, and the change notice arrives.
class TChangeDuringMessage : public TDialogRecorder
{
public:
    void PlainMessage(const QString& text) override
    {
        TDialogRecorder::PlainMessage(text);
        if (!act)
            return;
        const std::function<void()> once = std::move(act);
        act = nullptr;
        once();
    }
    std::function<void()> act;
};
} // namespace

// A notice that comes while the pad is saving is looked at once the save is over, never in its
// middle: each version is kept aside once, and the pad ends up in the file.
TEST_F(OthersChanges, ANoticeDuringASaveWaitsForItsEnd)
{
    auto recorder = std::make_shared<TChangeDuringMessage>();
    SetDialogs(recorder);
    ASSERT_TRUE(WriteBytes(NotesPath(), QByteArray("nul\0here\r\n", 10)));
    pad.Clear();
    ASSERT_TRUE(pad.LoadNotes());
    pad.AppendLine("unsaved");
    bool lookedAt = true;
    recorder->act = [&]() {
        ASSERT_TRUE(WriteBytes(NotesPath(), "theirs\r\n"));
        lookedAt = pad.DiskFileChanged();
    };
    ASSERT_TRUE(pad.SaveNotes()); // keeps the original with its NUL byte, says so, then saves
    EXPECT_FALSE(lookedAt);
    EXPECT_EQ(ReadBytes(KeptPath()), "theirs\r\n");
    const QByteArray saved = ReadBytes(NotesPath());
    EXPECT_TRUE(saved.startsWith("nulhere\r\n") && saved.endsWith("unsaved\r\n")) << saved.data();
    EXPECT_TRUE(pad.DiskFileChanged());
    EXPECT_EQ(recorder->plainMessages.size(), 2);
    EXPECT_EQ(QDir(AppFolder()).entryList({"Tarvelle_*"}, QDir::Files).size(), 2);
}
