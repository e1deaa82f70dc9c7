#include "help/F_HlpMain.h"

#include "core/F_Controls.h"
#include "core/F_Glb.h"
#include "core/F_WindowDrag.h"
#include "core/U_Fonts.h"
#include "core/U_Glb.h"
#include "help/U_HlpMorlin.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {
void SetTextColours(QWidget* control, const TColourSettings& colours)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, ToQColor(colours.TextBackColour));
    palette.setColor(QPalette::Text, ToQColor(colours.TextColour));
    control->setPalette(palette);
}
} // namespace

TfrmHlpMain::TfrmHlpMain(QWidget* owner) : TfrmModWindowPos(owner), mainWindow(owner)
{
    setObjectName(QStringLiteral("frmHlpMain"));
    setFixedSize(276, 115);
    setFont(Fonts::PixelFont(QStringLiteral("MS Sans Serif"), 11));
    for (int n = 1; n <= HelpTopicCount; ++n)
        blocks.push_back(HelpTopicBlock(n));
    rxHlpMain = MakeCaption(this, "rxHlpMain", QPoint(5, 6),
                            QStringLiteral("Tarvelle V 1.17 - A I D E"), font());
    // The title is painted on the window's surface: a press on it drags the window too.
    Drag()->Watch(rxHlpMain);
    CreateExitPanel();
    CreateTree();
    CreateMemo();
    ApplyColours();
}

void TfrmHlpMain::CreateExitPanel()
{
    scrOutHlp = MakeControl<TSkinPanel>(this, "scrOutHlp", QRect(231, 4, 41, 17));
    scrOutHlp->setFont(Fonts::PixelFont(QStringLiteral("MS Serif"), 8));
    TSkinPanel::TScrollSettings scroll;
    scroll.lines = {QStringLiteral("E  X  I  T")};
    scroll.direction = TSkinPanel::TDirection::Horizontal;
    scroll.cycled = true;
    scroll.textStyle = TSkinPanel::TBevel::Raised;
    scrOutHlp->SetScrollSettings(scroll);
    connect(scrOutHlp, &TSkinPanel::MouseDown, this, &TfrmHlpMain::scrOutHlpMouseDown);
    connect(scrOutHlp, &TSkinPanel::MouseUp, this, &TfrmHlpMain::scrOutHlpMouseUp);
}

void TfrmHlpMain::CreateTree()
{
    trwHlp = MakeControl<QTreeWidget>(this, "trwHlp", QRect(3, 22, 270, 90));
    trwHlp->setHeaderHidden(true);
    trwHlp->setColumnCount(1);
    trwHlp->setIndentation(19);
    trwHlp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trwHlp->setSelectionMode(QAbstractItemView::SingleSelection);
    // No tooltips, not even for a node text cut by the tree's width.
    trwHlp->viewport()->installEventFilter(this);
    for (const char* top : {"Tarvelle", "Mnemo", "Traceur"})
        AddNode(nullptr, QString::fromLatin1(top));
    QTreeWidgetItem* options = AddNode(nullptr, QStringLiteral("Options"));
    for (const char* child : {"Enregistrement", "Presse-papier", "Position", "Couleurs"})
        AddNode(options, QString::fromLatin1(child));
    QTreeWidgetItem* files = AddNode(nullptr, QStringLiteral("Gestion des fichiers"));
    QTreeWidgetItem* saving = AddNode(files, QStringLiteral("Sauvegarde"));
    AddNode(saving, QStringLiteral("Automatique"));
    AddNode(saving, QStringLiteral("Manuelle"));
    for (const char* child : {"Nouveau Mnemo", "Nouveau Traceur", "Impression"})
        AddNode(files, QString::fromLatin1(child));
    AddNode(nullptr, QStringLiteral("Affichage"));
    AddNode(nullptr, QStringLiteral("Alarme"));
    connect(trwHlp, &QTreeWidget::itemDoubleClicked, this, &TfrmHlpMain::trwHlpDblClick);
}

QTreeWidgetItem* TfrmHlpMain::AddNode(QTreeWidgetItem* parent, const QString& text)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(trwHlp);
    item->setText(0, text);
    return item;
}

void TfrmHlpMain::CreateMemo()
{
    memHlp = MakeControl<QPlainTextEdit>(this, "memHlp", QRect(3, 22, 270, 91));
    memHlp->setReadOnly(true);
    memHlp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memHlp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memHlp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memHlp->viewport()->installEventFilter(this);
    memHlp->hide();
}

void TfrmHlpMain::ApplyColours()
{
    const TColourSettings& colours = Glb().Colours;
    scrOutHlp->SetColor(colours.TextBackColour);
    scrOutHlp->SetFontColor(colours.TitleColour);
    rxHlpMain->SetFontColor(colours.TitleColour);
    SetTextColours(trwHlp, colours);
    SetTextColours(memHlp, colours);
}

void TfrmHlpMain::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
}

void TfrmHlpMain::showEvent(QShowEvent* event)
{
    TfrmModWindowPos::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOn(this, mainWindow);
    ApplyColours();
    scrOutHlp->SetActive(true);
}

bool TfrmHlpMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && trwHlp && watched == trwHlp->viewport())
        return true;
    if (event->type() == QEvent::MouseButtonDblClick && memHlp && watched == memHlp->viewport()) {
        memHlpDblClick();
        return true;
    }
    return TfrmModWindowPos::eventFilter(watched, event);
}

void TfrmHlpMain::trwHlpDblClick()
{
    const QTreeWidgetItem* node = trwHlp->selectedItems().value(0);
    if (!node)
        return;
    // A group node has no text: the tree opens or closes it by itself.
    const int topic = HelpTopicOfNode(node->text(0));
    if (topic == 0)
        return;
    // One line of the memo per line of the block, the empty ones at its end included.
    memHlp->setPlainText(blocks[static_cast<std::size_t>(topic - 1)].join(u'\n'));
    memHlp->show();
    memHlp->raise();
}

void TfrmHlpMain::memHlpDblClick()
{
    scrOutHlpMouseUp();
}

void TfrmHlpMain::scrOutHlpMouseDown()
{
    scrOutHlp->SetBevelOuter(TSkinPanel::TBevel::Raised);
    scrOutHlp->repaint();
}

void TfrmHlpMain::scrOutHlpMouseUp()
{
    scrOutHlp->SetBevelOuter(TSkinPanel::TBevel::Lowered);
    scrOutHlp->repaint();
    if (memHlp->isHidden()) {
        SetModalResult(1);
        return;
    }
    memHlp->hide();
    memHlp->clear();
}

void TfrmHlpMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    TfrmModWindowPos::closeEvent(event);
}

// A window opened again starts from the tree, as a new one does.
void TfrmHlpMain::FormClose()
{
    memHlp->hide();
    memHlp->clear();
}
