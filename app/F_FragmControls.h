#pragma once

#include <QList>

class QAction;
class QLineEdit;
class QTimer;
class QWidget;
class TAnimatedPicture;
class TDateEdit;
class TDigitalClock;
class TFileNameEdit;
class TFlatButton;
class TImage;
class TSkinPanel;
class TTransparentLabel;

// The controls of the main window, created and placed on it as designed.
struct TFragmControls
{
    explicit TFragmControls(QWidget* window);

    TTransparentLabel* lblTitre;
    TTransparentLabel* rxTitre;
    TFlatButton* spdChgCol;
    TFlatButton* spdColorNorm;
    TFlatButton* spdColComp;
    TFlatButton* spdCompNorm;
    TFlatButton* spdChgColFont;
    TFlatButton* spdFontLblTitre;
    TFlatButton* spdContener;
    TFlatButton* spdAncrMnem;
    TFlatButton* spdEpaType;
    TFlatButton* spdDspInfo;
    TFlatButton* spdGstFiles;
    TFlatButton* spdSpy;
    TImage* imgLed;
    TFlatButton* spdShowTraceur;
    TImage* imgAlarm;
    TDigitalClock* rxClocker;
    QLineEdit* edtMnemo;
    TDateEdit* calendMem;
    TFileNameEdit* rxFE;
    TSkinPanel* scrSTOP;
    TTransparentLabel* rxSTOP;
    TSkinPanel* scrOK;
    TTransparentLabel* rxOK;
    TSkinPanel* scrPopMnu;
    TAnimatedPicture* inWork;

    QAction* NewMnemo;
    QAction* Recording;

    QTimer* timerFilename;

    // The controls that show their hints whatever the window's hint setting.
    QList<QWidget*> OwnHintControls() const;

private:
    void CreateTitle(QWidget* window);
    void CreateColourButtons(QWidget* window);
    void CreateToolButtons(QWidget* window);
    void CreateEntries(QWidget* window);
    void CreatePanels(QWidget* window);
    void CreateTimers(QWidget* window);
};
