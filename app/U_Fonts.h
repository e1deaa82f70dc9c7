#pragma once

#include <QFont>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

// The fonts the windows were designed with, mapped to faces the set-up installs.
namespace Fonts {
// The installed family standing for `designFamily` ("MS Sans Serif", "MS Serif", "Arial",
// "Papyrus"); other names pass through unchanged.
QString FamilyFor(const QString& designFamily);
QFont PixelFont(const QString& designFamily, int pixels, bool bold = false);
QFont PointFont(const QString& designFamily, int points, bool bold = false);

// Loads the system's font configuration and font list on a worker thread: on a desktop with many
// fonts this is the longest single step of a start, and it needs no window. The worker begins
// with the font configuration at once, and goes on with Qt's font list once the application
// object exists (`ApplicationReady`). Qt's font database has its own lock, so the first text
// measured on the main thread waits for the end of the loading instead of doing it twice.
class TDatabaseLoader
{
public:
    TDatabaseLoader();
    ~TDatabaseLoader(); // Finish
    TDatabaseLoader(const TDatabaseLoader&) = delete;
    TDatabaseLoader& operator=(const TDatabaseLoader&) = delete;

    void ApplicationReady();
    // Waits for the worker; without `ApplicationReady` it stops after the font configuration.
    // Call it while the application object still exists. A second call does nothing.
    void Finish();

private:
    std::mutex mutex;
    std::condition_variable ready;
    bool applicationReady = false;
    bool abandoned = false;
    std::thread worker;
};
} // namespace Fonts
