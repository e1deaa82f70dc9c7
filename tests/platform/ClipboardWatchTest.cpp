#include "ToolRun.h"
#include "platform/x11/U_ClipboardWatch.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <memory>
#include <vector>

// The clipboard watch on its own, with a short answer timeout, against owners that misbehave.
class ClipboardWatch : public ::testing::Test
{
protected:
    void TearDown() override
    {
        watch.reset();
        for (const auto& process : owners) {
            process->kill();
            process->waitForFinished();
        }
    }
    void Watch()
    {
        watch = std::make_unique<TClipboardWatch>(
            1 << 20, [this]() { return wanted; },
            [this](const TClipboardText& copy) { texts.append(copy.text); }, 300);
        ASSERT_TRUE(watch->IsValid());
    }
    QProcess& Owner(const QStringList& args)
    {
        QProcess& process = *owners.emplace_back(std::make_unique<QProcess>());
        process.start(TARVELLE_CLIPOWNER, args);
        return process;
    }
    bool Until(const std::function<bool()>& condition)
    {
        const QDeadlineTimer deadline(kDeadlineMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        return true;
    }
    bool Asked(QProcess& owner, const QByteArray& target)
    {
        QByteArray output;
        return Until([&]() {
            output += owner.readAllStandardOutput();
            return output.split('\n').contains(target);
        });
    }

    bool wanted = true;
    QStringList texts;
    std::unique_ptr<TClipboardWatch> watch;
    std::vector<std::unique_ptr<QProcess>> owners;
};

// A transfer that stops halfway holds the next copy only until its owner's time is up.
TEST_F(ClipboardWatch, AStalledTransferIsGivenUpAndTheNextCopyIsRead)
{
    Watch();
    ASSERT_TRUE(Asked(Owner({"--size", "200000", "--incr", "65536", "--stall"}), "UTF8_STRING"));
    Owner({"--text", "suivante"});
    EXPECT_TRUE(Until([this]() { return !texts.isEmpty(); }));
    EXPECT_EQ(texts, QStringList({"suivante"}));
}

// A copy not wanted is never asked for: its owner hears nothing from us.
TEST_F(ClipboardWatch, ACopyNotWantedIsNeverFetched)
{
    int asks = 0;
    watch = std::make_unique<TClipboardWatch>(
        1 << 20, [&]() { return ++asks > 1; },
        [this](const TClipboardText& copy) { texts.append(copy.text); });
    QProcess& unwanted = Owner({"--text", "non voulue"});
    ASSERT_TRUE(Until([&]() { return asks == 1; }));
    Owner({"--text", "voulue"});
    EXPECT_TRUE(Until([this]() { return !texts.isEmpty(); }));
    EXPECT_EQ(texts, QStringList({"voulue"}));
    EXPECT_TRUE(unwanted.readAllStandardOutput().isEmpty());
}

// The same owner taking the clipboard again with the same time makes no new copy.
TEST_F(ClipboardWatch, ACopyIsReadOnceWhateverItsOwnerRepeats)
{
    Watch();
    QProcess& repeating = Owner({"--text", "une fois", "--reassert"});
    ASSERT_TRUE(Asked(repeating, "UTF8_STRING"));
    ASSERT_TRUE(Asked(Owner({"--text", "repère"}), "UTF8_STRING"));
    EXPECT_TRUE(Until([this]() { return texts.size() == 2; }));
    EXPECT_EQ(texts, QStringList({"une fois", "repère"}));
    EXPECT_FALSE(repeating.readAllStandardOutput().contains("TARGETS"));
}

// Owners given up on leave every property resting for a while: the next copy still gets two
// properties of its own, one for its targets and one for its text.
TEST_F(ClipboardWatch, CopiesGivenUpOnLeaveTheNextOneTwoPropertiesOfItsOwn)
{
    Watch();
    for (int i = 0; i <= TXSelection::kPropertyCount / 2; ++i)
        ASSERT_TRUE(Asked(Owner({"--mute", "--text", "muet"}), "UTF8_STRING"));
    Owner({"--text", "après les muets"});
    EXPECT_TRUE(Until([this]() { return !texts.isEmpty(); }));
    EXPECT_EQ(texts, QStringList({"après les muets"}));
}
