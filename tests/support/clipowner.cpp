// Another program's copies on the CLIPBOARD for the capture's tests and benchmark, in plain Xlib
// so that every answer is under the test's control. It takes the clipboard with a fresh time
// for each copy and refuses requests made for an earlier time, as owners should.
//   --text T | --stdin | --size N   the text: T, the bytes read from the input, or N bytes of
//                                   numbered lines
//   --target NAME                   the text's target (UTF8_STRING by default)
//   --secret                        also offers the password managers' hint
//   --incr CHUNK                    a text over CHUNK bytes goes incrementally, CHUNK at a time
//   --mute                          takes the clipboard and never answers
//   --stall                         sends only the first part of an incremental transfer
//   --reassert                      takes the clipboard again with the same time once the text
//                                   was fetched
//   --any-time                      answers with the copy it holds whatever time was asked for
// Prints the target of every request it received, one a line, once it was answered.
//   --burst N [--rate R]            N copies "copie 1" … "copie N", the next one as soon as the
//                                   text was fetched, or R a second whatever was fetched
//   --after-targets                 with --burst: the next copy as soon as TARGETS was answered,
//                                   with the requests that came with it; later ones are refused
//   --lines                         a copy for each line "TAG SIZE" of the input: TAG, a space
//                                   and SIZE letters
// Ends when another program takes the clipboard after the last copy.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <sys/select.h>
#include <unistd.h>
#include <vector>

namespace {
using TClock = std::chrono::steady_clock;

struct TOptions
{
    std::string text;
    std::string target = "UTF8_STRING";
    bool secret = false;
    bool mute = false;
    bool stall = false;
    bool anyTime = false;
    bool reassert = false;
    bool afterTargets = false;
    long incrChunk = 0;
    int burst = 0;
    double rate = 0;
    bool lines = false;
};

// An incremental transfer in progress: the part sent next goes when the requestor deletes.
struct TIncrement
{
    Window requestor = None;
    Atom property = None;
    size_t offset = 0;
    bool active = false;
};

class TOwner
{
public:
    explicit TOwner(TOptions options) : o(std::move(options)) {}
    int Run();

private:
    Atom A(const char* name) { return XInternAtom(dpy, name, False); }
    Time FreshTime();
    void Take(const std::string& text);
    void Handle(XEvent& event);
    void Answer(const XSelectionRequestEvent& request);
    bool Write(const XSelectionRequestEvent& request, Atom property);
    void NextIncrement(const XPropertyEvent& event);
    bool NextCopy();
    void MoveOnAfterTargets();
    bool ReadLines();

    TOptions o;
    Display* dpy = nullptr;
    Window window = None;
    Time ownTime = CurrentTime;
    std::string current;
    int copied = 0;
    bool fetched = false;
    bool lost = false;
    bool targetsAnswered = false;
    bool movingOn = false; // about to take the next copy: the current one is no longer given
    TIncrement increment;
    std::string input;
};

// A zero-length append to a property of our own window: the server's answer carries its time.
Time TOwner::FreshTime()
{
    XChangeProperty(dpy, window, A("TARVELLE_OWNER_TIME"), XA_STRING, 8, PropModeAppend, nullptr,
                    0);
    for (;;) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == PropertyNotify && event.xproperty.window == window)
            return event.xproperty.time;
        Handle(event);
    }
}

void TOwner::Take(const std::string& text)
{
    // The server counts milliseconds: a copy within the same one would not be a new copy.
    Time time = FreshTime();
    while (ownTime != CurrentTime && time <= ownTime)
        time = FreshTime();
    current = text;
    ownTime = time;
    fetched = false;
    lost = false;
    movingOn = false;
    targetsAnswered = false;
    XSetSelectionOwner(dpy, A("CLIPBOARD"), window, time);
    XFlush(dpy);
}

void TOwner::Handle(XEvent& event)
{
    if (event.type == SelectionRequest)
        Answer(event.xselectionrequest);
    else if (event.type == PropertyNotify && event.xproperty.window != window)
        NextIncrement(event.xproperty);
    else if (event.type == SelectionClear)
        lost = true;
}

void TOwner::Answer(const XSelectionRequestEvent& request)
{
    if (!o.mute) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = dpy;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        const Atom property = request.property == None ? request.target : request.property;
        const bool inTime = o.anyTime || request.time == CurrentTime || request.time >= ownTime;
        reply.property = inTime && !lost && !movingOn && Write(request, property) ? property : None;
        targetsAnswered =
            targetsAnswered || (reply.property != None && request.target == A("TARGETS"));
        XSendEvent(dpy, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
        XFlush(dpy);
    }
    // Each request on the output once it was answered: the tests follow what was asked.
    char* name = XGetAtomName(dpy, request.target);
    std::cout << (name ? name : "?") << std::endl;
    XFree(name);
}

bool TOwner::Write(const XSelectionRequestEvent& request, Atom property)
{
    const Atom text = A(o.target.c_str());
    const Atom hint = A("x-kde-passwordManagerHint");
    if (request.target == A("TARGETS")) {
        std::vector<long> targets{static_cast<long>(A("TARGETS")), static_cast<long>(text)};
        if (o.secret)
            targets.push_back(static_cast<long>(hint));
        XChangeProperty(dpy, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(targets.data()),
                        static_cast<int>(targets.size()));
    } else if (request.target == hint && o.secret) {
        XChangeProperty(dpy, request.requestor, property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>("secret"), 6);
    } else if (request.target == text && o.incrChunk > 0 &&
               current.size() > static_cast<size_t>(o.incrChunk)) {
        long size = static_cast<long>(current.size());
        XSelectInput(dpy, request.requestor, PropertyChangeMask);
        XChangeProperty(dpy, request.requestor, property, A("INCR"), 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&size), 1);
        increment = {request.requestor, property, 0, true};
    } else if (request.target == text) {
        XChangeProperty(dpy, request.requestor, property, text, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(current.data()),
                        static_cast<int>(current.size()));
        fetched = true;
    } else {
        return false;
    }
    return true;
}

void TOwner::NextIncrement(const XPropertyEvent& event)
{
    if (!increment.active || event.window != increment.requestor ||
        event.atom != increment.property || event.state != PropertyDelete ||
        (o.stall && increment.offset > 0))
        return;
    const size_t part =
        std::min(current.size() - increment.offset, static_cast<size_t>(o.incrChunk));
    XChangeProperty(dpy, increment.requestor, increment.property, A(o.target.c_str()), 8,
                    PropModeReplace,
                    reinterpret_cast<const unsigned char*>(current.data() + increment.offset),
                    static_cast<int>(part));
    increment.offset += part;
    // The empty part closes the transfer.
    if (part == 0) {
        increment.active = false;
        fetched = true;
    }
    XFlush(dpy);
}

bool TOwner::NextCopy()
{
    if (copied >= o.burst)
        return false;
    ++copied;
    Take("copie " + std::to_string(copied));
    return true;
}

void TOwner::MoveOnAfterTargets()
{
    targetsAnswered = false;
    // The requests the server sent before this round trip came with the targets' request.
    XSync(dpy, False);
    while (XPending(dpy)) {
        XEvent event;
        XNextEvent(dpy, &event);
        Handle(event);
    }
    movingOn = true;
    if (!NextCopy())
        movingOn = false;
}

// False at the end of the input.
bool TOwner::ReadLines()
{
    char buffer[4096];
    const ssize_t got = read(0, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    input.append(buffer, static_cast<size_t>(got));
    for (size_t end = input.find('\n'); end != std::string::npos; end = input.find('\n')) {
        const std::string line = input.substr(0, end);
        input.erase(0, end + 1);
        const size_t space = line.find(' ');
        const long size = std::atol(line.c_str() + (space == std::string::npos ? 0 : space + 1));
        Take(line.substr(0, space) + ' ' + std::string(static_cast<size_t>(size), 'x'));
    }
    return true;
}

int TOwner::Run()
{
    dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return 1;
    window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -1, -1, 1, 1, 0, 0, 0);
    XSelectInput(dpy, window, PropertyChangeMask);
    if (o.burst > 0)
        NextCopy();
    else if (!o.lines)
        Take(o.text);
    const auto period = std::chrono::duration_cast<TClock::duration>(
        std::chrono::duration<double>(o.rate > 0 ? 1.0 / o.rate : 0));
    TClock::time_point due = TClock::now() + period;
    for (;;) {
        while (XPending(dpy)) {
            XEvent event;
            XNextEvent(dpy, &event);
            Handle(event);
        }
        if (lost && copied >= o.burst) {
            XCloseDisplay(dpy);
            return 0;
        }
        if (o.burst > 0 && o.afterTargets && targetsAnswered) {
            MoveOnAfterTargets();
            continue;
        }
        if (o.burst > 0 && o.rate <= 0 && !o.afterTargets && fetched && NextCopy())
            continue;
        if (o.reassert && fetched) {
            o.reassert = false;
            XSetSelectionOwner(dpy, A("CLIPBOARD"), window, ownTime);
            XFlush(dpy);
        }
        if (o.burst > 0 && o.rate > 0 && TClock::now() >= due) {
            due += period;
            NextCopy();
            continue;
        }
        fd_set read;
        FD_ZERO(&read);
        FD_SET(ConnectionNumber(dpy), &read);
        if (o.lines)
            FD_SET(0, &read);
        const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(
            o.rate > 0 && copied < o.burst ? due - TClock::now() : std::chrono::seconds(60));
        timeval limit{0, std::max<long>(0, static_cast<long>(wait.count()))};
        limit.tv_sec = limit.tv_usec / 1000000;
        limit.tv_usec %= 1000000;
        select(ConnectionNumber(dpy) + 1, &read, nullptr, nullptr, &limit);
        if (o.lines && FD_ISSET(0, &read) && !ReadLines()) {
            XCloseDisplay(dpy);
            return 0;
        }
    }
}

std::string SizedText(long size)
{
    std::string text;
    for (long line = 1; static_cast<long>(text.size()) < size; ++line)
        text += "ligne " + std::to_string(line) + " " + std::string(60, 'x') + "\n";
    text.resize(static_cast<size_t>(size));
    return text;
}
} // namespace

int main(int argc, char* argv[])
{
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> const char* {
            return i + 1 < argc ? argv[++i] : "";
        };
        if (arg == "--text")
            options.text = value();
        else if (arg == "--stdin")
            options.text.assign(std::istreambuf_iterator<char>(std::cin), {});
        else if (arg == "--size")
            options.text = SizedText(std::atol(value()));
        else if (arg == "--target")
            options.target = value();
        else if (arg == "--secret")
            options.secret = true;
        else if (arg == "--reassert")
            options.reassert = true;
        else if (arg == "--after-targets")
            options.afterTargets = true;
        else if (arg == "--any-time")
            options.anyTime = true;
        else if (arg == "--stall")
            options.stall = true;
        else if (arg == "--mute")
            options.mute = true;
        else if (arg == "--incr")
            options.incrChunk = std::atol(value());
        else if (arg == "--burst")
            options.burst = std::atoi(value());
        else if (arg == "--lines")
            options.lines = true;
        else if (arg == "--rate")
            options.rate = std::atof(value());
        else
            return 2;
    }
    return TOwner(options).Run();
}
