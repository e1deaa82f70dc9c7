#include "FragmFixture.h"
#include "core/U_WindowSkin.h"
#include "toolkit/C_FileNameEdit.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <algorithm>

namespace {
// The main window shown on 06/12/2026 at 14:05:33, its notes loaded.
class FragmNotes : public ShownFragm
{
protected:
    void SetUp() override
    {
        ShownFragm::SetUp();
        clock->Set(QDateTime(QDate(2026, 12, 6), QTime(14, 5, 33)));
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
        ASSERT_TRUE(Glb().DataLoaded);
        loaded = Pad().Lines();
    }
    void TearDown() override
    {
        TFileNameEdit::SetOpenDialog({});
        ShownFragm::TearDown();
    }
    // The lines added since the load.
    QStringList Added() const { return Pad().Lines().mid(loaded.size()); }

    QStringList loaded;
};
} // namespace

// The first paint loads a new notes file. Enter adds the box's text, empty or not, and empties
// the box; a double click adds a text that is there and keeps it; the calendar's double click
// adds its date, the clock its time.
TEST_F(FragmNotes, FirstPaintLoadsTheNotesAndQuickEntriesAddToThem)
{
    EXPECT_EQ(loaded, QStringList({"Mnemo_06/12/2026 14:05:33", QString(48, u'-')}));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_EQ(Notes().rxTiteur->text(), "Tarvelle.txt");
    QTest::keyClick(frm->ui.edtMnemo, Qt::Key_Return);
    Glb().Options.AddHourOnEntry = true;
    QTest::keyClick(frm->ui.edtMnemo, Qt::Key_Return);
    frm->ui.edtMnemo->setText("abc");
    QTest::keyClick(frm->ui.edtMnemo, Qt::Key_Enter);
    EXPECT_TRUE(frm->ui.edtMnemo->text().isEmpty());
    QTest::mouseDClick(frm->ui.edtMnemo, Qt::LeftButton);
    frm->ui.edtMnemo->setText("def");
    QTest::mouseDClick(frm->ui.edtMnemo, Qt::LeftButton);
    EXPECT_EQ(frm->ui.edtMnemo->text(), "def");
    Q_EMIT frm->ui.calendMem->DblClick();
    Q_EMIT frm->ui.rxClocker->Click();
    EXPECT_EQ(Added(), QStringList({"", " - 14:05:33", "abc - 14:05:33", "def - 14:05:33",
                                    frm->ui.calendMem->Text() + " - 14:05:33", "14:05:33"}));
    EXPECT_TRUE(Glb().Modified);
    // A date picked widens the calendar for good and hands the keyboard to the subject box.
    EXPECT_EQ(frm->ui.calendMem->width(), 18);
    frm->ui.calendMem->SetDate(QDate(2026, 12, 24));
    EXPECT_EQ(frm->ui.calendMem->width(), 74);
}

TEST_F(FragmNotes, TheNotesButtonPlacesOrDocksTheEditorThenHidesAndShowsIt)
{
    Notes().hide();
    Glb().EditorFirstShowPending = true;
    Glb().NotesLeft = 33;
    Glb().NotesTop = 44;
    QTest::mouseClick(frm->ui.spdContener, Qt::LeftButton);
    EXPECT_TRUE(Notes().isVisible() && Glb().NotesVisible && !Glb().EditorFirstShowPending);
    EXPECT_EQ(Notes().pos(), QPoint(33, 44));
    QTest::mouseClick(frm->ui.spdContener, Qt::LeftButton);
    EXPECT_FALSE(Notes().isVisible() || Glb().NotesVisible);
    Notes().move(200, 200);
    QTest::mouseClick(frm->ui.spdContener, Qt::LeftButton);
    EXPECT_EQ(Notes().pos(), QPoint(200, 200));
    // The pad's scroll bar comes with the eleventh line and goes with the tenth.
    Pad().Clear();
    for (int line = 0; line < 11; ++line)
        Pad().AppendLine(QString::number(line));
    EXPECT_EQ(Notes().memMnemo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTextCursor last(Pad().Document());
    last.movePosition(QTextCursor::End);
    last.movePosition(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor);
    last.removeSelectedText();
    EXPECT_EQ(Notes().memMnemo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(Notes().memMnemo->textCursor().atEnd());
    // Docked, a loaded pad whose first line is blank does not get the file a second time.
    Notes().hide();
    Glb().EditorAnchored = true;
    Pad().Clear();
    Pad().AppendLine("");
    QTest::mouseClick(frm->ui.spdContener, Qt::LeftButton);
    EXPECT_TRUE(Notes().isVisible());
    EXPECT_EQ(Pad().Lines(), QStringList(""));
}

// With its backup asked, the old file goes only once confirmed and kept under a dated name: a
// backup that cannot be made (the file vanished) stops the command. Without, it goes at once.
TEST_F(FragmNotes, NewMnemoNeverRemovesTheNotesWithoutTheBackupAsked)
{
    Pad().AppendLine("note");
    dialogs->AnswerNext(1); // the save question
    dialogs->AnswerNext(2); // "Sauvegarder le fichier actuel ?" cancelled
    Item("newMne")->trigger();
    EXPECT_EQ(dialogs->questions.size(), 2);
    EXPECT_EQ(dialogs->questions[1].text, "Sauvegarder le fichier actuel ?");
    const QStringList saved = Pad().Lines();
    EXPECT_EQ(saved.mid(loaded.size()), QStringList({"note", saved.last()}));

    const QByteArray file = ReadBytes(AppFolder() + "Tarvelle.txt");
    ASSERT_TRUE(QFile::remove(AppFolder() + "Tarvelle.txt"));
    dialogs->AnswerNext(1);
    Item("newMne")->trigger();
    EXPECT_EQ(Pad().Lines(), saved);
    ASSERT_TRUE(WriteBytes(AppFolder() + "Tarvelle.txt", file));

    clock->AdvanceSeconds(60);
    dialogs->AnswerNext(1);
    Item("newMne")->trigger();
    const QStringList backups = QDir(AppFolder()).entryList({"Tarvelle_*.txt"});
    EXPECT_EQ(backups, QStringList("Tarvelle_06-12-2026à14-06-33.txt"));
    EXPECT_TRUE(ReadBytes(AppFolder() + backups.value(0)).contains("note\r\n"));
    EXPECT_EQ(Pad().Lines(), QStringList({"Mnemo_06/12/2026 14:06:33", QString(48, u'-')}));

    Glb().Options.SaveOnNewNote = false;
    Pad().AppendLine("sans copie");
    Glb().Modified = false;
    dialogs->AnswerNext(1);
    Item("newMne")->trigger();
    EXPECT_EQ(dialogs->questions.last().text, "Sauvegarde désactivée...");
    EXPECT_EQ(Pad().Lines().size(), 2);
    EXPECT_EQ(QDir(AppFolder()).entryList({"Tarvelle_*.txt"}), backups);
}

// Another file through the dialog offered for two seconds, and back with a second click.
TEST_F(FragmNotes, AnotherFileIsShownThenLeftForTheDefaultOne)
{
    const QString other = AppFolder() + "autre.txt";
    ASSERT_TRUE(WriteBytes(other, "Mnemo_01/01/2020 08:00:00\r\nligne\r\n"));
    QTest::mouseClick(frm->ui.spdGstFiles, Qt::LeftButton);
    EXPECT_TRUE(frm->ui.rxFE->isVisible() && !frm->ui.spdGstFiles->isVisible());
    frm->ui.timerFilename->setInterval(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frm->ui.rxFE->isVisible() || !frm->ui.spdGstFiles->isVisible());

    TFileNameEdit::SetOpenDialog(
        [&other](QWidget*, const QString&, const QString&, const QString&) { return other; });
    QTest::mouseClick(frm->ui.spdGstFiles, Qt::LeftButton);
    frm->ui.rxFE->Browse();
    EXPECT_EQ(Pad().Lines(), QStringList({"Mnemo_01/01/2020 08:00:00", "ligne"}));
    EXPECT_EQ(Notes().rxTiteur->text(), "autre.txt");
    Pad().AppendLine("ajout");
    dialogs->AnswerNext(1);
    QTest::mouseClick(frm->ui.spdGstFiles, Qt::LeftButton);
    EXPECT_EQ(ReadBytes(other), "Mnemo_01/01/2020 08:00:00\r\nligne\r\najout\r\n");
    EXPECT_EQ(Notes().rxTiteur->text(), "Tarvelle.txt");
    ASSERT_FALSE(dialogs->messages.isEmpty());
    EXPECT_EQ(dialogs->messages.last().text, "Tarvelle.txt rechargé");
}

TEST_F(FragmNotes, FilesDroppedOnTheMainWindowAddOneLineEach)
{
    Glb().Options.AddHourOnEntry = true;
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile("/a/un.txt"), QUrl::fromLocalFile("/b/deux.txt")});
    QDragEnterEvent enter(QPoint(100, 60), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frm.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 60), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frm.get(), &drop);
    EXPECT_EQ(Added(), QStringList({"/a/un.txt - 14:05:33", "/b/deux.txt - 14:05:33"}));
}

namespace {
// The best contrast the label's ink reaches against what its window shows without the text.
double InkContrast(QWidget& window, QLabel& label)
{
    const QImage drawn = window.grab(label.geometry()).toImage();
    const QString text = label.text();
    label.setText(QString());
    const QImage bare = window.grab(label.geometry()).toImage();
    label.setText(text);
    double best = 1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            best = std::max(best, ContrastRatio(drawn.pixelColor(x, y), bare.pixelColor(x, y)));
    return best;
}
} // namespace

// Back from another file the label names the default file readably, on the dark end of the
// default gradient as well; a name that looks like markup is shown as it is.
TEST_F(FragmNotes, TheEditorsFileLabelReadsTheFileNameExactly)
{
    const QString name = "<i>notes.txt";
    ASSERT_TRUE(WriteBytes(AppFolder() + name, "ligne\r\n"));
    TFileNameEdit::SetOpenDialog([&name](QWidget*, const QString&, const QString&, const QString&) {
        return AppFolder() + name;
    });
    QTest::mouseClick(frm->ui.spdGstFiles, Qt::LeftButton);
    frm->ui.rxFE->Browse();
    QLabel* label = Notes().rxTiteur;
    ASSERT_EQ(label->text(), name);
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(name));
    EXPECT_GE(InkContrast(Notes(), *label), 4.5);

    QTest::mouseClick(frm->ui.spdGstFiles, Qt::LeftButton);
    ASSERT_EQ(label->text(), "Tarvelle.txt");
    EXPECT_GE(InkContrast(Notes(), *label), 4.5);
    // On a light gradient the title's own colour reads, and is kept.
    Glb().Colours.GradientColourB = 0xFFFFFF;
    Glb().Colours.TitleColour = 0x000080;
    Notes().RepaintSkin();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
}

// A file manager offers the files' URLs as text as well: the subject box must not take them
// as a subject, the pad gets their full paths.
TEST_F(FragmNotes, FilesDroppedOnTheSubjectBoxAddTheirPathsNotTheirUrls)
{
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile("/a/un fichier.txt"), QUrl::fromLocalFile("/b/été.txt")});
    dropped.setText("file:///a/un%20fichier.txt\r\nfile:///b/%C3%A9t%C3%A9.txt\r\n");
    QLineEdit* box = frm->ui.edtMnemo;
    QDragEnterEvent enter(QPoint(20, 9), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 9), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &drop);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(Added(), QStringList({"/a/un fichier.txt", "/b/été.txt"}));

    // Plain text dropped on the box is still the box's, not the pad's.
    QMimeData words;
    words.setText("mots");
    QDragEnterEvent enterText(QPoint(20, 9), Qt::CopyAction, &words, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &enterText);
    QDropEvent text(QPointF(20, 9), Qt::CopyAction, &words, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &text);
    EXPECT_EQ(box->text(), "mots");
    EXPECT_EQ(Added().size(), 2);
}
