#pragma once

#include <QByteArray>
#include <QString>

// The recovery journal on disk: appended in single synced writes, replaced whole through a
// synced temporary, private to the user; in the program's folder, or in the user's state
// folder when the program's folder cannot be written.
class TRecoveryFile
{
public:
    TRecoveryFile();
    TRecoveryFile(QString primary, QString fallback);

    // AppFolder + "Tarvelle.recup".
    static QString PrimaryPath();
    // $XDG_STATE_HOME/Tarvelle/Tarvelle.recup ($HOME/.local/state by default).
    static QString FallbackPath();

    // Appends `record` to the journal in use; false, the journal left as it was, when it could
    // not be written whole.
    bool Append(const QByteArray& record);
    // The journal becomes `content`, in the program's folder when it can be written there,
    // else in the state folder; the other place's journal is removed. Empty content removes
    // both.
    bool Replace(const QByteArray& content);
    // Where the journal is being written.
    QString Path() const { return fallbackInUse ? fallback : primary; }

    // The journal a previous run left, non-empty, the newer of the two places; empty when none.
    QString Found() const;
    // Removes the temporaries a replace killed before its rename left.
    void RemoveTemporaries() const;
    // Keeps the journal found under a dated name beside it; its path, or empty.
    QString KeepAside(const QString& found) const;

private:
    bool ReplaceAt(const QString& path, const QByteArray& content);

    QString primary;
    QString fallback;
    bool fallbackInUse = false;
};
