#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_WindowSkin.h"

class QPlainTextEdit;
class TNotesPad;
class TTransparentLabel;

// The notes editor, "Scribelle": the pad where notes, copies and dropped paths gather.
class TfrmMnememo : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmMnememo(TNotesPad& notes, QWidget* parent = nullptr);

    // Places the window at its saved position.
    void positForm();
    // The show handling: placed at the first show, the last line brought into view when the
    // options ask for it.
    void FormShow();
    // The colours changed: the window and its captions are painted again.
    void RepaintSkin();

    TTransparentLabel* rxTiteur;
    TTransparentLabel* rxTitreMnemo;
    QPlainTextEdit* memMnemo;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMemo();
    void ApplyColours();
    void FitFileNameColour();
    void memMnemoChange();
    void ChooseWrap(int position, int removed, int added);
    void ScrollToEnd();

    TNotesPad& pad;
    TWindowSkin skin;
};
