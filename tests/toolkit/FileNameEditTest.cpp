#include "toolkit/C_FileNameEdit.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QToolButton>

TEST(FileNameFilterTest, PipeFilterBecomesQtFilter)
{
    EXPECT_EQ(TFileNameEdit::QtFilter("Fichiers texte|*.txt;*.ini;*.csv|*All files|*.*"),
              "Fichiers texte (*.txt *.ini *.csv);;*All files (*)");
    EXPECT_EQ(TFileNameEdit::QtFilter("Images|*.png; *.jpg;"), "Images (*.png *.jpg)");
    EXPECT_EQ(TFileNameEdit::QtFilter("|*.csv"), "*.csv (*.csv)");
    EXPECT_EQ(TFileNameEdit::QtFilter("Tout"), "Tout (*)");
    EXPECT_EQ(TFileNameEdit::QtFilter(""), "");
}

namespace {
class FileNameEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TFileNameEdit::SetOpenDialog([this](QWidget* parent, const QString& caption,
                                            const QString& start, const QString& filter) {
            calls.append({caption, start, filter});
            EXPECT_EQ(parent, &fileEdit);
            return answer;
        });
        fileEdit.SetFilter("Fichiers texte|*.txt|*All files|*.*");
        fileEdit.SetDialogTitle("Ouvrir");
    }
    void TearDown() override { TFileNameEdit::SetOpenDialog({}); }

    TFileNameEdit fileEdit;
    QString answer;
    QList<QStringList> calls;
};
} // namespace

TEST_F(FileNameEditTest, BrowseButtonOpensTheDialogWithTheFilter)
{
    fileEdit.SetInitialDir("/home/u/notes");
    fileEdit.findChild<QToolButton*>()->click();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0],
              QStringList({"Ouvrir", "/home/u/notes", "Fichiers texte (*.txt);;*All files (*)"}));
    fileEdit.SetFileName("/home/u/a.txt");
    fileEdit.Browse();
    EXPECT_EQ(calls[1][1], "/home/u/a.txt") << "starts at the file in the field";
}

TEST_F(FileNameEditTest, AcceptedDialogFillsTheFieldCancelledLeavesIt)
{
    QSignalSpy after(&fileEdit, &TFileNameEdit::AfterDialog);
    QSignalSpy changes(&fileEdit, &TFileNameEdit::Change);
    answer = "/home/u/b.csv";
    fileEdit.Browse();
    answer.clear();
    fileEdit.Browse();
    EXPECT_EQ(fileEdit.FileName(), "/home/u/b.csv");
    EXPECT_EQ(changes.size(), 1);
    // The file name and whether the dialog was accepted.
    EXPECT_EQ(after, QList<QVariantList>({{"/home/u/b.csv", true}, {"/home/u/b.csv", false}}));
}
