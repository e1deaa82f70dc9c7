#include "app/F_FragmControls.h"

#include "core/F_Controls.h"
#include "core/U_Clock.h"
#include "core/U_Fonts.h"
#include "core/U_Glb.h"
#include "toolkit/C_AnimatedPicture.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FileNameEdit.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QAction>
#include <QDate>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");

TFlatButton* Button(QWidget* window, const char* name, const QRect& geometry, const QString& hint,
                    const QString& caption = QString())
{
    auto* button = MakeControl<TFlatButton>(window, name, geometry);
    button->SetHint(hint);
    if (!caption.isEmpty()) {
        // A light face keeps the glyph readable on any part of the gradient.
        button->SetColor(0xC8C8C8);
        button->SetCaption(caption);
        button->setFont(Fonts::PixelFont(kSansSerif, 9, true));
    }
    return button;
}

QPixmap Picture(const QString& resource, const QSize& size, const QColor& fallback)
{
    QPixmap picture = TImage::LoadPng(resource);
    if (!picture.isNull())
        return picture;
    picture = QPixmap(size);
    picture.fill(fallback);
    return picture;
}

} // namespace

TFragmControls::TFragmControls(QWidget* window)
{
    // The window's font first, so that no control lays its text out twice.
    window->setFont(Fonts::PixelFont(kSansSerif, 11));
    CreateColourButtons(window);
    CreateToolButtons(window);
    CreateTitle(window);
    CreateTimers(window);
    CreateEntries(window);
    CreatePanels(window);
}

void TFragmControls::CreateTitle(QWidget* window)
{
    rxTitre = MakeControl<TTransparentLabel>(window, "rxTitre", QRect(96, 5, 86, 26));
    rxTitre->setText(QStringLiteral("Tarvelle"));
    rxTitre->setFont(Fonts::PixelFont(QStringLiteral("Papyrus"), 19));
    rxTitre->setAlignment(Qt::AlignCenter);
    rxTitre->setToolTip(QStringLiteral("Dbl-Click=réduire"));
    lblTitre = MakeControl<TTransparentLabel>(window, "lblTitre", QRect(92, 31, 93, 10));
    lblTitre->setFont(Fonts::PixelFont(QStringLiteral("MS Serif"), 8));
    lblTitre->setAlignment(Qt::AlignCenter);
    lblTitre->SetTransparent(false);
}

void TFragmControls::CreateColourButtons(QWidget* window)
{
    // Six small squares under the subject box, each showing what it changes.
    const auto square = [window](const char* name, int x, const QString& hint, TColor c) {
        TFlatButton* button = Button(window, name, QRect(x, 94, 9, 9), hint);
        button->SetColor(c);
        return button;
    };
    spdChgCol = square("spdChgCol", 56, QStringLiteral("Couleur générale"), 0x808080);
    spdColorNorm =
        square("spdColorNorm", 67, QStringLiteral("Couleur générale par défaut"), 0xFFFFFF);
    spdColComp = square("spdColComp", 78, QStringLiteral("Couleur fond de texte"), 0x9BC2E0);
    spdCompNorm =
        square("spdCompNorm", 89, QStringLiteral("Couleur fond de texte par défaut"), 0xE08492);
    spdChgColFont = square("spdChgColFont", 100, QStringLiteral("Couleur de la fonte"), 0x000000);
    spdFontLblTitre = square("spdFontLblTitre", 111, QStringLiteral("Couleur Marque"), 0xFFFFFF);
}

void TFragmControls::CreateToolButtons(QWidget* window)
{
    spdContener = Button(window, "spdContener", QRect(126, 90, 14, 14), QStringLiteral("Mnemo"),
                         QStringLiteral("M"));
    spdAncrMnem = Button(window, "spdAncrMnem", QRect(141, 90, 14, 14),
                         QStringLiteral("Ancrage de l'éditeur"), QStringLiteral("a"));
    spdEpaType = Button(window, "spdEpaType", QRect(156, 90, 14, 14),
                        QStringLiteral("Calendrier central ou extérieur"), QStringLiteral("c"));
    spdDspInfo = Button(window, "spdDspInfo", QRect(171, 90, 14, 14),
                        QStringLiteral("Info-bulles visibles"), QStringLiteral("?"));
    spdGstFiles =
        Button(window, "spdGstFiles", QRect(186, 89, 16, 16),
               QStringLiteral("Gestion des Mnemos et autres fichiers"), QStringLiteral("F"));
    spdShowTraceur = Button(window, "spdShowTraceur", QRect(203, 90, 14, 14),
                            QStringLiteral("Traceur"), QStringLiteral("T"));
    // No caption at rest ("~" while tracing): the lamp's picture says what it starts.
    spdSpy = Button(window, "spdSpy", QRect(218, 90, 14, 14), QStringLiteral("Démarrer la trace"));
    spdSpy->SetColor(0xC8C8C8);
    const QPixmap led = Picture(QStringLiteral(":/pictures/led.png"), QSize(10, 10), Qt::red);
    spdSpy->SetGlyph(led.scaled(8, 8, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    imgLed = MakeControl<TImage>(window, "imgLed", QRect(220, 80, 10, 10));
    imgLed->SetPicture(led);
    imgLed->hide();
    imgAlarm = MakeControl<TImage>(window, "imgAlarm", QRect(226, 64, 20, 20));
    imgAlarm->SetPicture(
        Picture(QStringLiteral(":/pictures/alarm.png"), QSize(20, 20), Qt::yellow));
    imgAlarm->setToolTip(QStringLiteral("Alarme"));
    imgAlarm->hide();
    inWork = MakeControl<TAnimatedPicture>(window, "inWork", QRect(236, 86, 16, 16));
    inWork->SetStrip(TImage::LoadPng(QStringLiteral(":/pictures/inwork.png")), 8);
    inWork->setToolTip(QStringLiteral("Encore en travaux..."));
    inWork->hide();
}

void TFragmControls::CreateEntries(QWidget* window)
{
    edtMnemo = MakeControl<QLineEdit>(window, "edtMnemo", QRect(52, 46, 150, 18));
    edtMnemo->setFont(Fonts::PixelFont(QStringLiteral("Arial"), 12));
    edtMnemo->setFrame(false);
    edtMnemo->setToolTip(QStringLiteral("Sujet"));
    calendMem = MakeControl<TDateEdit>(window, "calendMem", QRect(52, 68, 18, 18));
    calendMem->SetDate(Now().date());
    rxClocker = MakeControl<TDigitalClock>(window, "rxClocker", QRect(140, 68, 62, 18));
    rxClocker->setToolTip(QStringLiteral("Click droit:\r\n ALARME"));
    rxFE = MakeControl<TFileNameEdit>(window, "rxFE", QRect(52, 46, 150, 18));
    rxFE->SetFilter(QStringLiteral("Fichiers texte|*.txt;*.ini;*.csv|*All files|*.*"));
    rxFE->hide();
}

void TFragmControls::CreatePanels(QWidget* window)
{
    const auto panel = [window](const char* name, const QRect& geometry) {
        auto* control = MakeControl<TSkinPanel>(window, name, geometry);
        control->SetBevelOuter(TSkinPanel::TBevel::Raised);
        return control;
    };
    const auto caption = [](TSkinPanel* owner, const char* name, const QString& text) {
        auto* label = MakeControl<TTransparentLabel>(owner, name, owner->rect());
        label->setText(text);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(Fonts::PointFont(kSansSerif, 8, true));
        return label;
    };
    scrOK = panel("scrOK", QRect(224, 48, 25, 14));
    rxOK = caption(scrOK, "rxOK", QStringLiteral("OK"));
    scrSTOP = panel("scrSTOP", QRect(253, 48, 14, 14));
    rxSTOP = caption(scrSTOP, "rxSTOP", QStringLiteral("X"));
    scrPopMnu = panel("scrPopMnu", QRect(214, 22, 21, 21));
    scrPopMnu->setToolTip(QStringLiteral("Options & aide"));
    scrPopMnu->SetLines({QStringLiteral("...")});
    NewMnemo = new QAction(QStringLiteral("Nouveau Mnemo"), window);
    NewMnemo->setObjectName(QStringLiteral("NewMnemo"));
    Recording = new QAction(QStringLiteral("Recording"), window);
    Recording->setObjectName(QStringLiteral("Recording"));
}

void TFragmControls::CreateTimers(QWidget* window)
{
    timerFilename = new QTimer(window);
    timerFilename->setObjectName(QStringLiteral("timerFilename"));
    timerFilename->setInterval(2000);
}

QList<QWidget*> TFragmControls::OwnHintControls() const
{
    return {rxTitre, spdDspInfo, spdSpy, imgLed, imgAlarm, edtMnemo, scrPopMnu, inWork};
}
