#include "TestEnv.h"
#include "ToolRun.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_NotesPad.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>

#include <memory>
#include <vector>

// Copies made by other programs on the display, through the real clipboard.
class ClipboardX11 : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Glb().EditorFirstShowPending = false;
        for (auto signal : {&QClipboard::dataChanged, &QClipboard::selectionChanged})
            QObject::connect(clipboard, signal, &counter, [this]() { ++changes; });
    }
    void TearDown() override
    {
        for (const auto& process : owners) {
            process->kill();
            process->waitForFinished();
        }
        TarvelleTest::TearDown();
    }
    // Starts a program that takes a selection with `text` and waits until this program has
    // handled the change: its notice comes before the text can be read, so one more turn of
    // the loop after the text reads back has handled it.
    void Own(const QString& program, const QStringList& args, const QString& text,
             QClipboard::Mode mode = QClipboard::Clipboard, const QByteArray& input = {})
    {
        const int before = changes;
        QProcess& process = *owners.emplace_back(std::make_unique<QProcess>());
        process.start(program, args);
        process.write(input);
        process.closeWriteChannel();
        ASSERT_TRUE(WaitUntil([&]() {
            QCoreApplication::processEvents();
            return changes > before && clipboard->text(mode) == text;
        }));
        QCoreApplication::processEvents();
    }
    void XClip(const QString& text, QClipboard::Mode mode = QClipboard::Clipboard)
    {
        const QString selection = mode == QClipboard::Clipboard ? "clipboard" : "primary";
        Own("xclip", {"-quiet", "-selection", selection}, text, mode, text.toUtf8());
    }

    QClipboard* clipboard = QGuiApplication::clipboard();
    TNotesPad pad;
    std::unique_ptr<TClipboardCapture> capture;
    QObject counter;
    int changes = 0;
    std::vector<std::unique_ptr<QProcess>> owners;
};

// Neither what the clipboard held at start, nor the mouse selection, nor a copy marked secret.
TEST_F(ClipboardX11, AnotherProgramsCopyReachesThePadAndNothingElse)
{
    XClip("déjà là");
    capture = std::make_unique<TClipboardCapture>(pad, clipboard);
    XClip("sélection à la souris", QClipboard::Selection);
    Own(TARVELLE_TESTWINDOW, {"--copy", "motdepasse", "--secret"}, "motdepasse");
    XClip("copié ailleurs\nsur deux lignes");
    EXPECT_EQ(pad.Lines(), QStringList({"copié ailleurs", "sur deux lignes"}));
}
