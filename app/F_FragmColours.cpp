#include "app/F_FragmColours.h"

#include "app/F_FragmControls.h"
#include "core/F_Glb.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

TFragmColours::TFragmColours(QWidget* owner, TFragmControls& controls, QMenu* themes)
    : QObject(owner), window(owner), ui(controls)
{
    Connect(themes);
}

void TFragmColours::Connect(QMenu* themeMenu)
{
    connect(ui.spdChgCol, &TFlatButton::Click, this, &TFragmColours::spdChgColClick);
    connect(ui.spdColorNorm, &TFlatButton::Click, this, &TFragmColours::spdColorNormClick);
    connect(ui.spdColComp, &TFlatButton::Click, this, &TFragmColours::spdColCompClick);
    connect(ui.spdCompNorm, &TFlatButton::Click, this, &TFragmColours::spdCompNormClick);
    connect(ui.spdChgColFont, &TFlatButton::Click, this, &TFragmColours::spdChgColFontClick);
    connect(ui.spdFontLblTitre, &TFlatButton::Click, this, &TFragmColours::spdFontLblTitreClick);
    connect(ui.rxTitre, &TTransparentLabel::MouseUp, this, [this](Qt::MouseButton button) {
        if (button == Qt::RightButton)
            rxTitreRightRelease();
    });
    const auto& themes = Colours::Themes();
    for (const TTheme& theme : themes) {
        auto* item = themeMenu->findChild<QAction*>(QLatin1String(theme.name));
        connect(item, &QAction::triggered, this, [this, &theme]() { ApplyTheme(theme); });
    }
}

void TFragmColours::ApplyTextBackColour(TColor colour)
{
    Glb().Colours.TextBackColour = colour;
    QPalette palette = ui.edtMnemo->palette();
    palette.setColor(QPalette::Base, ToQColor(colour));
    ui.edtMnemo->setPalette(palette);
    ui.rxClocker->SetColor(colour);
    ui.rxTitre->SetColor(colour);
    ui.rxOK->SetColor(colour);
    ui.rxSTOP->SetColor(colour);
    ui.scrSTOP->SetColor(colour);
    ui.scrOK->SetColor(colour);
    ui.scrPopMnu->SetColor(colour);
    ui.calendMem->SetColor(colour);
    ui.calendMem->SetDropDownColor(colour);
}

void TFragmColours::ApplyTextColour(TColor colour)
{
    QPalette palette = ui.edtMnemo->palette();
    palette.setColor(QPalette::Text, ToQColor(colour));
    ui.edtMnemo->setPalette(palette);
    ui.calendMem->SetFontColor(colour);
    ui.calendMem->SetWeekendColor(colour);
    ui.rxClocker->SetFontColor(colour);
}

void TFragmColours::ApplyTitleColours()
{
    ui.rxTitre->SetFontColor(Glb().Colours.TitleColour);
    ui.lblTitre->SetColor(Glb().Colours.MarkBackColour);
    ui.lblTitre->SetFontColor(Glb().Colours.MarkTextColour);
}

void TFragmColours::ApplyTheme(const TTheme& theme)
{
    TColourSettings& colours = Glb().Colours;
    colours.GradientColourA = theme.gradientA;
    colours.GradientColourB = theme.gradientB;
    colours.GradientDirection = QString::fromLatin1(theme.direction);
    ApplyTextBackColour(theme.textBack);
    ApplyTextColour(theme.text);
    colours.TextColour = theme.text;
    Glb().UseDefaultColours = false;
    colours.TitleColour = theme.title;
    colours.MarkBackColour = theme.markBack;
    colours.MarkTextColour = theme.markText;
    ApplyTitleColours();
    Changed();
}

TColor TFragmColours::EditFontColour() const
{
    return FromQColor(ui.edtMnemo->palette().color(QPalette::Text));
}

void TFragmColours::Changed(bool repaintAll)
{
    if (repaintAll)
        Q_EMIT RepaintAll();
    Glb().ColoursChanged = true;
}

void TFragmColours::spdChgColClick()
{
    Randomize();
    TColourSettings& colours = Glb().Colours;
    colours.GradientColourA = RandomColour();
    colours.GradientColourB = RandomColour();
    colours.GradientDirection = RandomDirection();
    Glb().UseDefaultColours = false;
    Changed();
}

void TFragmColours::spdColorNormClick()
{
    // The next paint resets the eight settings; the controls keep theirs until next start.
    Glb().UseDefaultColours = true;
    Changed();
}

void TFragmColours::spdColCompClick()
{
    ApplyTextBackColour(RandomColour());
    Changed();
}

void TFragmColours::spdCompNormClick()
{
    ApplyTextBackColour(Colours::DefaultTextBack);
    Glb().Colours.TextColour = 0x000000;
    ApplyTextColour(0x000000);
    Changed();
}

void TFragmColours::spdChgColFontClick()
{
    const TColor c = PickColour(EditFontColour(), window);
    ApplyTextColour(c);
    Glb().Colours.TextColour = c;
    Changed();
}

void TFragmColours::spdFontLblTitreClick()
{
    const TColor c = PickColour(EditFontColour(), window);
    ui.lblTitre->SetFontColor(c);
    Glb().Colours.MarkTextColour = c;
    Changed(false);
}

void TFragmColours::rxTitreRightRelease()
{
    const TColor c = PickColour(EditFontColour(), window);
    TColourSettings& colours = Glb().Colours;
    colours.TitleColour = colours.MarkBackColour = c;
    colours.MarkTextColour = Colours::MarkTextFor(c);
    ApplyTitleColours();
    Q_EMIT RepaintSecondary();
    Changed(false);
}
