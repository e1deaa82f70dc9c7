#include "alarms/F_AlarmBanner.h"

#include "platform/U_Platform.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {
const QColor kBannerText(0xFF, 0x00, 0x00);
const QColor kBannerBack(0x00, 0x00, 0xFF);
constexpr int kBannerPoints = 32;

QPointer<TAlarmBanner>& CurrentBanner()
{
    static QPointer<TAlarmBanner> banner;
    return banner;
}

} // namespace

TAlarmBanner::TAlarmBanner(const QString& text)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), text(text),
      timerBanner(new QTimer(this))
{
    setObjectName(QStringLiteral("AlarmBanner"));
    // Its text also names it for the window manager and the task switchers.
    setWindowTitle(text);
    setAttribute(Qt::WA_DeleteOnClose);
    // The user is at work in another program: the banner must not take the keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont face = QApplication::font();
    face.setPointSize(kBannerPoints);
    setFont(face);
    const QSize measured = QFontMetrics(face).size(Qt::TextSingleLine, text);
    const QSize padded(measured.width() + 10, measured.height() + 5);
    const QRect screen = Platform().ScreenGeometry();
    setGeometry(QRect(screen.left() + screen.width() / 2 - padded.width() / 2,
                      screen.top() + screen.height() / 2 - padded.height() / 2, padded.width(),
                      padded.height()));
    timerBanner->setObjectName(QStringLiteral("timerBanner"));
    timerBanner->setSingleShot(true);
    timerBanner->setInterval(ShownMs);
    connect(timerBanner, &QTimer::timeout, this, &TAlarmBanner::Expire);
    timerBanner->start();
    // A banner still up when the program ends goes with it.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

TAlarmBanner* TAlarmBanner::Current()
{
    return CurrentBanner();
}

void TAlarmBanner::Expire()
{
    timerBanner->stop();
    if (CurrentBanner() == this)
        CurrentBanner() = nullptr;
    close();
}

void TAlarmBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBannerBack);
    painter.setPen(kBannerText);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
}

void TAlarmBanner::mousePressEvent(QMouseEvent*)
{
    Expire();
}

void DrawAlarmBanner(const QString& text)
{
    if (TAlarmBanner* shown = CurrentBanner())
        shown->Expire();
    auto* banner = new TAlarmBanner(text);
    CurrentBanner() = banner;
    banner->show();
}
