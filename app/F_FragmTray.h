#pragma once

#include <QObject>
#include <QSystemTrayIcon>

// The program's icon in the notification area: a left click and a right click, nothing else.
class TFragmTray : public QObject
{
    Q_OBJECT
public:
    explicit TFragmTray(const QIcon& icon, QObject* parent = nullptr);

    void Add();
    void Remove();
    bool IsShown() const;

Q_SIGNALS:
    void LeftClick();
    void RightClick();

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon icon;
};
