#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;

// A file-name field with a browse button that opens a file-open dialog.
class TFileNameEdit : public QWidget
{
    Q_OBJECT
public:
    // (parent, caption, folder or file to start at, Qt filter) -> chosen file, empty if none.
    using TOpenDialog =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    explicit TFileNameEdit(QWidget* parent = nullptr);

    // The dialog of every file-name edit of the process; empty: the platform's.
    static void SetOpenDialog(TOpenDialog dialog);
    // "Texts|*.txt;*.ini|All|*.*" -> "Texts (*.txt *.ini);;All (*)".
    static QString QtFilter(const QString& pipeFilter);

    QString FileName() const;
    void SetFileName(const QString& fileName);
    // The filter in the pipe form: description|patterns|description|patterns...
    void SetFilter(const QString& pipeFilter) { filter = pipeFilter; }
    QString Filter() const { return filter; }
    void SetDialogTitle(const QString& title) { dialogTitle = title; }
    void SetInitialDir(const QString& dir) { initialDir = dir; }
    void SetShowHint(bool show);

public Q_SLOTS:
    // Opens the dialog, as the browse button does.
    void Browse();

Q_SIGNALS:
    // After the dialog closed: the file now in the field, and whether one was chosen.
    void AfterDialog(QString fileName, bool accepted);
    void Change();

private:
    QLineEdit* edit;
    QString filter;
    QString dialogTitle;
    QString initialDir;
};
