#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_WindowSkin.h"

#include <QPointer>
#include <QStringList>

#include <vector>

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TSkinPanel;
class TTransparentLabel;

// The built-in help: a tree of topics, the text of a topic in place of the tree on a double
// click, and a scrolling "E  X  I  T" that goes back to the tree or closes the window.
class TfrmHlpMain : public TfrmModWindowPos
{
    Q_OBJECT
public:
    // Centred on `mainWindow` when shown, on the screen without one.
    explicit TfrmHlpMain(QWidget* mainWindow);

    TTransparentLabel* rxHlpMain = nullptr;
    TSkinPanel* scrOutHlp = nullptr;
    QTreeWidget* trwHlp = nullptr;
    QPlainTextEdit* memHlp = nullptr;

    void trwHlpDblClick();
    void memHlpDblClick();
    void scrOutHlpMouseDown();
    void scrOutHlpMouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateExitPanel();
    void CreateTree();
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text);
    void CreateMemo();
    void ApplyColours();
    void FormClose();

    QPointer<QWidget> mainWindow;
    // The help texts, assembled once per window.
    std::vector<QStringList> blocks;
    TWindowSkin skin;
};
