#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

// The program's icon in the notification area: a left click and a right click, nothing else.
class TFragmTray : public QObject
{
    Q_OBJECT
public:
    explicit TFragmTray(const QIcon& picture, QObject* parent = nullptr);
    ~TFragmTray() override;

    // The icon object is made at the first `Add`: making it asks the desktop about its
    // notification area over D-Bus, which is no work for the start of the main window.
    void Add();
    void Remove();
    bool IsShown() const;
    const QIcon& Picture() const { return image; }

Q_SIGNALS:
    void LeftClick();
    void RightClick();

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QIcon image;
    std::unique_ptr<QSystemTrayIcon> icon;
};
