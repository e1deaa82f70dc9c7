#include "toolkit/C_FileNameEdit.h"

#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QSignalSpy>
#include <QToolButton>

TEST(FileNameEditTest, PipeFilterBecomesQtFilter)
{
    EXPECT_EQ(TFileNameEdit::QtFilter("Fichiers texte|*.txt;*.ini;*.csv|*All files|*.*"),
              "Fichiers texte (*.txt *.ini *.csv);;*All files (*)");
    EXPECT_EQ(TFileNameEdit::QtFilter("Images|*.png; *.jpg;"), "Images (*.png *.jpg)");
    EXPECT_EQ(TFileNameEdit::QtFilter("|*.csv"), "*.csv (*.csv)");
    EXPECT_EQ(TFileNameEdit::QtFilter("Tout"), "Tout (*)");
    EXPECT_EQ(TFileNameEdit::QtFilter(""), "");
}

TEST(FileNameEditTest, BrowseAsksWithTheFilterAndFillsTheFieldOnlyWhenAccepted)
{
    TFileNameEdit fileEdit;
    QString answer;
    QList<QStringList> calls;
    TFileNameEdit::SetOpenDialog(
        [&](QWidget* parent, const QString& caption, const QString& start, const QString& filter) {
            EXPECT_EQ(parent, &fileEdit);
            calls.append({caption, start, filter});
            return answer;
        });
    const auto restore = qScopeGuard([] { TFileNameEdit::SetOpenDialog({}); });
    fileEdit.SetFilter("Fichiers texte|*.txt|*All files|*.*");
    fileEdit.SetDialogTitle("Ouvrir");
    fileEdit.SetInitialDir("/home/u/notes");
    QSignalSpy after(&fileEdit, &TFileNameEdit::AfterDialog);
    QSignalSpy changes(&fileEdit, &TFileNameEdit::Change);

    fileEdit.findChild<QToolButton*>()->click();
    answer = "/home/u/b.csv";
    fileEdit.Browse();
    answer.clear();
    fileEdit.Browse();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0],
              QStringList({"Ouvrir", "/home/u/notes", "Fichiers texte (*.txt);;*All files (*)"}));
    EXPECT_EQ(calls[2][1], "/home/u/b.csv") << "starts at the file in the field";
    EXPECT_EQ(fileEdit.FileName(), "/home/u/b.csv");
    EXPECT_EQ(changes.size(), 1);
    // The file name and whether the dialog was accepted.
    EXPECT_EQ(after, QList<QVariantList>(
                         {{"", false}, {"/home/u/b.csv", true}, {"/home/u/b.csv", false}}));
}
