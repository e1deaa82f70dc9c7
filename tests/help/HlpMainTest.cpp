#include "TestEnv.h"
#include "help/F_HlpMain.h"
#include "help/U_HlpMorlin.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
class HlpMain : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        mainWindow.setGeometry(200, 150, 277, 116);
        window = std::make_unique<TfrmHlpMain>(&mainWindow);
    }
    void TearDown() override
    {
        window.reset();
        TarvelleTest::TearDown();
    }
    QTreeWidgetItem* Node(const QString& text) const
    {
        const auto found = Tree().findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    // A real double click on a node that the tree shows.
    void DoubleClick(const QString& text)
    {
        QTreeWidgetItem* item = Node(text);
        Tree().scrollToItem(item);
        const QPoint at = Tree().visualItemRect(item).center();
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
    }
    void PressExit()
    {
        QTest::mousePress(window->scrOutHlp, Qt::LeftButton, {}, QPoint(20, 8));
        EXPECT_EQ(window->scrOutHlp->BevelOuter(), TSkinPanel::TBevel::Raised);
        QTest::mouseRelease(window->scrOutHlp, Qt::LeftButton, {}, QPoint(20, 8));
        EXPECT_EQ(window->scrOutHlp->BevelOuter(), TSkinPanel::TBevel::Lowered);
    }
    QTreeWidget& Tree() const { return *window->trwHlp; }
    QPlainTextEdit& Memo() const { return *window->memHlp; }

    QWidget mainWindow;
    std::unique_ptr<TfrmHlpMain> window;
};

int CountNodes(QTreeWidgetItem* item)
{
    int count = 1;
    for (int i = 0; i < item->childCount(); ++i)
        count += CountNodes(item->child(i));
    return count;
}
} // namespace

TEST_F(HlpMain, OpensOnTheCollapsedTopicTreeCentredOnTheMainWindow)
{
    Glb().Colours.TextBackColour = 0x102030;
    Glb().Colours.TextColour = 0x405060;
    Glb().Colours.TitleColour = 0x708090;
    window->show();
    EXPECT_EQ(window->size(), QSize(276, 115));
    EXPECT_EQ(window->pos(), mainWindow.geometry().center() - QPoint(138, 57));
    EXPECT_EQ(window->rxHlpMain->text(), QStringLiteral("Tarvelle V 1.17 - A I D E"));
    EXPECT_EQ(window->rxHlpMain->pos(), QPoint(5, 6));
    EXPECT_EQ(window->scrOutHlp->geometry(), QRect(231, 4, 41, 17));
    EXPECT_EQ(window->scrOutHlp->ScrollSettings().lines, QStringList{"E  X  I  T"});
    EXPECT_TRUE(window->scrOutHlp->IsActive());
    EXPECT_EQ(Tree().geometry(), QRect(3, 22, 270, 90));
    EXPECT_EQ(Memo().geometry(), QRect(3, 22, 270, 91));
    EXPECT_TRUE(Memo().isHidden() && Memo().isReadOnly());
    EXPECT_EQ(Tree().indentation(), 19);
    EXPECT_EQ(Tree().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(Tree().palette().color(QPalette::Base), ToQColor(0x102030));
    EXPECT_EQ(Memo().palette().color(QPalette::Text), ToQColor(0x405060));
    EXPECT_EQ(window->rxHlpMain->palette().color(QPalette::WindowText), ToQColor(0x708090));

    ASSERT_EQ(Tree().topLevelItemCount(), 7);
    int nodes = 0;
    for (int i = 0; i < Tree().topLevelItemCount(); ++i) {
        nodes += CountNodes(Tree().topLevelItem(i));
        EXPECT_FALSE(Tree().topLevelItem(i)->isExpanded());
    }
    EXPECT_EQ(nodes, 17);
    EXPECT_EQ(Node("Automatique")->parent(), Node("Sauvegarde"));
    EXPECT_EQ(Node("Sauvegarde")->parent(), Node("Gestion des fichiers"));
    EXPECT_FALSE(Node("Sauvegarde")->isExpanded());

    QHelpEvent tip(QEvent::ToolTip, QPoint(10, 5), Tree().viewport()->mapToGlobal(QPoint(10, 5)));
    EXPECT_TRUE(QCoreApplication::sendEvent(Tree().viewport(), &tip));
}

TEST_F(HlpMain, DoubleClickOnATopicShowsItsTextAndOnAGroupOnlyOpensIt)
{
    window->show();
    DoubleClick("Options");
    EXPECT_TRUE(Memo().isHidden());
    EXPECT_TRUE(Node("Options")->isExpanded());

    DoubleClick("Mnemo");
    ASSERT_FALSE(Memo().isHidden());
    EXPECT_EQ(Memo().toPlainText().split(u'\n'), HelpTopicBlock(2));
    EXPECT_EQ(Memo().document()->blockCount(), 10);

    // No node selected: nothing happens.
    window->memHlpDblClick();
    Tree().clearSelection();
    window->trwHlpDblClick();
    EXPECT_TRUE(Memo().isHidden());
}

TEST_F(HlpMain, ExitGoesBackToTheTreeAsItWasThenClosesWithOk)
{
    window->show();
    Node("Gestion des fichiers")->setExpanded(true);
    Node("Sauvegarde")->setExpanded(true);
    DoubleClick("Automatique");
    ASSERT_FALSE(Memo().isHidden());
    EXPECT_TRUE(
        Memo().toPlainText().startsWith(QStringLiteral("- Aide \"Sauvegarde automatique\"")));

    PressExit();
    EXPECT_TRUE(Memo().isHidden());
    EXPECT_TRUE(Memo().toPlainText().isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Tree().selectedItems(), QList<QTreeWidgetItem*>{Node("Automatique")});
    EXPECT_TRUE(Node("Sauvegarde")->isExpanded() && Node("Gestion des fichiers")->isExpanded());

    // A double click on the text returns to the tree as well.
    DoubleClick("Manuelle");
    ASSERT_FALSE(Memo().isHidden());
    QTest::mouseDClick(Memo().viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(Memo().isHidden());
    EXPECT_TRUE(window->isVisible());

    window->hide();
    QTimer::singleShot(0, window.get(), [this]() { PressExit(); });
    EXPECT_EQ(window->ShowModal(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HlpMain, ClosedOtherwiseTheResultIsZeroAndTheTextIsEmptied)
{
    TfrmHlpMain orphan(nullptr);
    orphan.show();
    EXPECT_EQ(orphan.pos(), platform->ScreenGeometry().center() - QPoint(138, 57));
    orphan.hide();

    QTimer::singleShot(0, window.get(), [this]() {
        Tree().setCurrentItem(Node("Alarme"));
        window->trwHlpDblClick();
        EXPECT_FALSE(Memo().toPlainText().isEmpty());
        window->close();
    });
    EXPECT_EQ(window->ShowModal(), 0);
    EXPECT_TRUE(Memo().toPlainText().isEmpty());
    EXPECT_TRUE(Memo().isHidden());
}
