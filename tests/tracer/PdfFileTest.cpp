#include "TestEnv.h"
#include "TestFiles.h"
#include "tracer/U_PdfFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
// A small PDF laid out as the PDF writer does it: objects, the cross-reference table, the
// trailer giving the table's offset.
QByteArray SmallPdf()
{
    QByteArray pdf = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
                     "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 3\n0000000000 65535 f \n0000000009 00000 n \n0000000058 00000 n \n"
           "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

using PdfFiles = TarvelleTest;
} // namespace

// Cut anywhere, or short of bytes in its middle, a PDF is no longer whole.
TEST(PdfFile, OnlyAWholePdfIsWhole)
{
    const QByteArray pdf = SmallPdf();
    EXPECT_TRUE(PdfFile::IsWhole(pdf));
    EXPECT_TRUE(PdfFile::IsWhole(pdf.chopped(1)));
    for (qsizetype size = 0; size < pdf.size() - 1; ++size)
        ASSERT_FALSE(PdfFile::IsWhole(pdf.left(size))) << size;
    // Bytes lost before the table move it away from the offset the trailer gives.
    EXPECT_FALSE(PdfFile::IsWhole(QByteArray(pdf).remove(20, 4)));
    EXPECT_FALSE(PdfFile::IsWhole(QByteArray(pdf).replace("startxref\n", "startxref\nx")));
    EXPECT_FALSE(PdfFile::IsWhole(QByteArray(pdf).replace("%PDF", "%PDX")));
    EXPECT_FALSE(PdfFile::IsWhole(QByteArray(4096, '\0')));
}

// A whole file takes its name; anything else is removed and the name stays free.
TEST_F(PdfFiles, OnlyAWholeFileTakesItsNameAndATruncatedOneIsRemoved)
{
    const QString path = home.filePath("Traceur.pdf");
    const QString temporary = PdfFile::TemporaryFor(path);
    EXPECT_EQ(QFileInfo(temporary).dir(), QFileInfo(path).dir());
    EXPECT_NE(temporary, path);

    ASSERT_TRUE(WriteBytes(temporary, SmallPdf().left(100)));
    EXPECT_FALSE(PdfFile::Commit(temporary, path));
    EXPECT_FALSE(QFile::exists(temporary) || QFile::exists(path));
    EXPECT_FALSE(PdfFile::Commit(temporary, path)); // nothing written at all

    ASSERT_TRUE(WriteBytes(temporary, SmallPdf()));
    ASSERT_TRUE(PdfFile::Commit(temporary, path));
    EXPECT_EQ(ReadBytes(path), SmallPdf());
    EXPECT_FALSE(QFile::exists(temporary));
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Leftovers of prints that never ended go; the user's own files, however named, stay.
TEST_F(PdfFiles, LeftoversGoAndNothingElse)
{
    const QStringList leftovers = {PdfFile::TemporaryFor("Traceur07-12-2026à09-30-00.pdf"),
                                   PdfFile::TemporaryFor(".cache.pdf")};
    const QStringList kept = {"Traceur07-12-2026à09-30-00.pdf", "notes.tarvelle-tmp",
                              "rapport.pdf.tarvelle-tmp.bak", "Tarvelle.txt"};
    for (const QString& name : leftovers + kept)
        ASSERT_TRUE(WriteBytes(home.filePath(name), "x"));
    PdfFile::RemoveLeftovers(home.path());
    QStringList left = QDir(home.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected);
}
