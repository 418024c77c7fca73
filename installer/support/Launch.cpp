#include "installer/support/Launch.h"

#include "framework/stream/StateReset.h"
#include "framework/sys/Process.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/TickTimer.h"

#include <QApplication>
#include <QWidget>

#include <strings.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace kw {

namespace {
int gPriority = 0;
const fw::StateReset resetPriority{[] { gPriority = 0; }};
constexpr int kPriorityLowest = -2;

std::string Cut80(const char* text)
{
    std::string s = text ? text : "";
    if (s.size() > 80) s.resize(80);
    return s;
}

// Waits for the process to end, storing its exit code.
class WaitForExit : public LaunchStrategy {
public:
    explicit WaitForExit(int* exitCode) : exitCode_(exitCode) {}
    bool Begin() override
    {
        saved_ = gPriority;
        gPriority = kPriorityLowest;
        return true;
    }
    void End() override { gPriority = saved_; }
    void Poll() override
    {
        int code = 0;
        int state = fw::Process::Poll(process, code);
        if (state == 1) return;
        if (state == 0 && exitCode_) *exitCode_ = code;
        if (state < 0 && exitCode_) *exitCode_ = 0; // opened without a process: nothing to wait for
        running = false;
        process = -1;
    }

private:
    int* exitCode_;
    int saved_ = 0;
};

class WaitForWindow : public LaunchStrategy {
public:
    WaitForWindow(const char* className, const char* title, uint32_t timeoutMs)
        : class_(Cut80(className)), title_(Cut80(title)), timeout_(timeoutMs) {}
    bool Begin() override
    {
        timer_.Start(timeout_);
        return true;
    }
    void Poll() override
    {
        bool shown = FindWindow(class_.c_str(), title_.c_str());
        if (shown) seen_ = true;
        if (seen_ && !shown) running = false;
        int code;
        if (fw::Process::Poll(process, code) != 1) { // ended, or no process to watch
            process = -1;
            if (!shown) running = false;
        }
        if (timeout_ && timer_.Expired()) running = false;
    }

private:
    std::string class_, title_;
    uint32_t timeout_;
    TickTimer timer_;
    bool seen_ = false;
};
} // namespace

bool FindWindow(const char* className, const char* title)
{
    std::string cls = className ? className : "", t = title ? title : "";
    if (auto& finder = WindowFinderSeam::Current()) return finder(cls, t);
    if (!QApplication::instance()) return false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        bool classOk = cls.empty() || strcasecmp(w->objectName().toStdString().c_str(), cls.c_str()) == 0 ||
                       strcasecmp(w->metaObject()->className(), cls.c_str()) == 0;
        bool titleOk = t.empty() || w->windowTitle().toStdString() == t;
        if (classOk && titleOk) return true;
    }
    return false;
}

bool LaunchRequest::SetCommand(const char* text)
{
    size_t n = text ? std::strlen(text) : 0;
    bool fits = n < kCommandSize;
    CheckFailed("LAUNCH", 1, fits);
    if (!fits) return false;
    std::memcpy(commandLine, text ? text : "", n);
    commandLine[n] = 0;
    return true;
}

int ThreadPriority() { return gPriority; }

bool LaunchStrategy::Run(const LaunchRequest& request)
{
    process = -1;
    if (!Begin()) return false;
    running = true;
    int pid = request.shellOpen ? fw::Process::ShellOpen(request.commandLine, request.showCommand)
                                : fw::Process::Start(request.commandLine);
    if (pid < 0) {
        running = false;
        End();
        return false;
    }
    process = pid > 0 ? pid : -1;
    while (running) {
        bool handled = MessageLoop::Instance().Pump(true);
        Poll();
        if (running && !handled) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (process > 0) fw::Process::Release(process); // still running: reaped later
    process = -1;
    End();
    return true;
}

bool LaunchProgram(const LaunchRequest& request)
{
    LaunchStrategy now;
    return now.Run(request);
}

bool LaunchAndWait(const LaunchRequest& request, int* exitCode)
{
    WaitForExit wait(exitCode);
    return wait.Run(request);
}

bool LaunchAndWaitForWindow(const LaunchRequest& request, const char* className, const char* title,
                            uint32_t timeoutMs)
{
    WaitForWindow wait(className, title, timeoutMs);
    return wait.Run(request);
}

} // namespace kw
