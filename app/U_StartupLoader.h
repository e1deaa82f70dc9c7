#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// The work of a start that needs no window, done on a worker thread while the main thread
// builds the windows: reading the font configuration and the font list (the longest single
// step of a start on a desktop with many fonts) and opening the session bus connection that
// accessibility and the tray icon ask for at the first control. The worker begins with the bus
// and the font configuration at once and reads the font list once the application object exists
// (`ApplicationReady`). Qt guards its font database and its bus connections with its own locks,
// so the main thread asking for either waits for the worker instead of doing the work twice.
class TStartupLoader
{
public:
    TStartupLoader();
    ~TStartupLoader(); // Finish
    TStartupLoader(const TStartupLoader&) = delete;
    TStartupLoader& operator=(const TStartupLoader&) = delete;

    void ApplicationReady();
    // Waits for the worker; without `ApplicationReady` it stops after the bus and the font
    // configuration. Call it while the application object still exists. A second call does
    // nothing.
    void Finish();

private:
    void Work();

    std::mutex mutex;
    std::condition_variable ready;
    bool applicationReady = false;
    bool abandoned = false;
    std::thread worker;
};
