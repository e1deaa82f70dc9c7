#include "notes/F_ScdNiv.h"

#include "core/U_Constantes.h"
#include "core/U_Fonts.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"
#include "notes/U_DroppedFiles.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"
#include "toolkit/C_TransparentLabel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
// Up to this many lines the pad shows no scroll bar.
constexpr int kLinesWithoutScrollBar = 10;
// Below this contrast with the gradient under it, a caption is hard to read.
constexpr double kReadableContrast = 3.0;

QColor MeanColour(const QImage& image, const QRect& area)
{
    qint64 red = 0, green = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    const qint64 count = std::max<qint64>(1, qint64{area.width()} * area.height());
    return QColor(static_cast<int>(red / count), static_cast<int>(green / count),
                  static_cast<int>(blue / count));
}
} // namespace

TfrmMnememo::TfrmMnememo(TNotesPad& notes, QWidget* parent) : TfrmModWindowPos(parent), pad(notes)
{
    setObjectName(QStringLiteral("frmMnememo"));
    setWindowTitle(Constantes::NotesCaption);
    setToolTip(QStringLiteral("Fichier texte"));
    setFixedSize(277, 182);
    setFont(Fonts::PixelFont(kSansSerif, 11));
    setAcceptDrops(true);
    rxTitreMnemo = new TTransparentLabel(QStringLiteral("Mnemo"), this);
    rxTitreMnemo->setObjectName(QStringLiteral("rxTitreMnemo"));
    rxTitreMnemo->SetTransparent(true);
    rxTitreMnemo->setFont(Fonts::PixelFont(QStringLiteral("Papyrus"), 19));
    rxTitreMnemo->adjustSize();
    rxTitreMnemo->move(6, -2);
    rxTiteur = new TTransparentLabel(QStringLiteral("____"), this);
    rxTiteur->setObjectName(QStringLiteral("rxTiteur"));
    rxTiteur->SetTransparent(true);
    rxTiteur->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A file name is shown as it is, never read as markup.
    rxTiteur->setTextFormat(Qt::PlainText);
    rxTiteur->setGeometry(110, 2, 161, 16);
    // Every load names its file and leaves the caret after the last line.
    connect(&pad, &TNotesPad::FileNameChanged, this, [this](const QString& name) {
        rxTiteur->setText(name);
        FitFileNameColour();
        memMnemo->moveCursor(QTextCursor::End);
    });
    CreateMemo();
    ApplyColours();
}

void TfrmMnememo::CreateMemo()
{
    // The plain layout before anything lays the document out: the editor needs that one.
    pad.Document()->setDocumentLayout(new QPlainTextDocumentLayout(pad.Document()));
    memMnemo = new QPlainTextEdit(this);
    memMnemo->setObjectName(QStringLiteral("memMnemo"));
    memMnemo->setGeometry(6, 21, 267, 154);
    memMnemo->setFont(Fonts::PixelFont(kSansSerif, 11));
    memMnemo->setDocument(pad.Document());
    memMnemo->setTabChangesFocus(false);
    memMnemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memMnemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Dropped files are the window's to take, not the editor's to paste as text.
    memMnemo->viewport()->installEventFilter(this);
    connect(pad.Document(), &QTextDocument::blockCountChanged, this, &TfrmMnememo::memMnemoChange);
    connect(pad.Document(), &QTextDocument::contentsChange, this, &TfrmMnememo::ChooseWrap);
    connect(&pad, &TNotesPad::UnbreakableLineComing, this,
            [this]() { memMnemo->setWordWrapMode(QTextOption::WrapAnywhere); });
    ChooseWrap(0, 0, pad.Document()->characterCount());
}

// Wrapping between words seeks, for every row, the line's next word break: a line of megabytes
// without one (hex, base64) would take minutes to lay out, and that time grows with the square
// of its length. Such a line wraps anywhere instead, in time that grows with its length; its
// text stays whole, only its rows end mid-word, and so do the other lines' until the pad is
// emptied. Ordinary notes keep wrapping between words. The pad tells of such lines before they
// come in, so that they are laid out once; typed or pasted ones are found here.
void TfrmMnememo::ChooseWrap(int position, int, int added)
{
    const QTextDocument* document = pad.Document();
    if (memMnemo->wordWrapMode() == QTextOption::WrapAnywhere) {
        if (document->isEmpty())
            memMnemo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        return;
    }
    // Only a block longer than the limit can hold such a run: the others cost one comparison.
    for (QTextBlock block = document->findBlock(position);
         block.isValid() && block.position() <= position + added; block = block.next()) {
        if (block.length() > NotesText::kLongestWordRun &&
            NotesText::HoldsUnbreakableRun(block.text())) {
            memMnemo->setWordWrapMode(QTextOption::WrapAnywhere);
            return;
        }
    }
}

void TfrmMnememo::ApplyColours()
{
    const TColourSettings& colours = Glb().Colours;
    QPalette memo = memMnemo->palette();
    memo.setColor(QPalette::Base, ToQColor(colours.TextBackColour));
    memo.setColor(QPalette::Text, ToQColor(colours.TextColour));
    memMnemo->setPalette(memo);
    rxTitreMnemo->SetFontColor(colours.TitleColour);
    FitFileNameColour();
}

// The file label sits on the gradient's far end, black with the default colours, as the title
// colour is: there it takes black or white, whichever reads, rather than vanish.
void TfrmMnememo::FitFileNameColour()
{
    const int textWidth =
        std::min(rxTiteur->fontMetrics().horizontalAdvance(rxTiteur->text()), rxTiteur->width());
    const QRect label = rxTiteur->geometry();
    const QRect under(label.right() - textWidth + 1, label.top(), textWidth, label.height());
    const QColor behind = MeanColour(skin.Background(size()).toImage(), under & rect());
    QColor ink = ToQColor(Glb().Colours.TitleColour);
    if (ContrastRatio(ink, behind) < kReadableContrast)
        ink = ContrastRatio(Qt::black, behind) >= ContrastRatio(Qt::white, behind)
                  ? QColor(Qt::black)
                  : QColor(Qt::white);
    rxTiteur->SetFontColor(FromQColor(ink));
}

void TfrmMnememo::RepaintSkin()
{
    ApplyColours();
    update();
}

// The scroll bar comes with the eleventh line and goes with the tenth; each switch puts the
// caret at the end. Only the line count is read: nothing here grows with the pad.
void TfrmMnememo::memMnemoChange()
{
    const bool needed = pad.LineCount() > kLinesWithoutScrollBar;
    const bool shown = memMnemo->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    if (needed == shown)
        return;
    memMnemo->setVerticalScrollBarPolicy(needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memMnemo->moveCursor(QTextCursor::End);
}

void TfrmMnememo::positForm()
{
    move(Glb().NotesLeft, Glb().NotesTop);
}

void TfrmMnememo::ScrollToEnd()
{
    // One step to the last line, whatever the pad's length.
    QScrollBar* bar = memMnemo->verticalScrollBar();
    if (bar->value() != bar->maximum())
        bar->setValue(bar->maximum());
}

void TfrmMnememo::FormShow()
{
    if (Glb().EditorFirstShowPending)
        positForm();
    if (Glb().Options.PageToDown)
        ScrollToEnd();
    Glb().EditorFirstShowPending = false;
}

void TfrmMnememo::showEvent(QShowEvent* event)
{
    TfrmModWindowPos::showEvent(event);
    ApplyColours();
    FormShow();
}

void TfrmMnememo::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
    painter.end();
    FormShow();
}

void TfrmMnememo::dragEnterEvent(QDragEnterEvent* event)
{
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
}

void TfrmMnememo::dropEvent(QDropEvent* event)
{
    AddDroppedFiles(pad, event->mimeData()->urls());
    event->acceptProposedAction();
}

bool TfrmMnememo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != memMnemo->viewport())
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!AcceptsDrop(drag->mimeData()))
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop && AcceptsDrop(static_cast<QDropEvent*>(event)->mimeData())) {
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
    }
    return false;
}
