// Start-up benchmark: starts a program and times until its first top-level
// window is mapped on the X display, several times, for Mind Prism (settings
// in a temporary folder, a language stored so nothing is asked) and for the
// baseline, a window of the same kinds of controls that does nothing else;
// runs alternate, and the medians and their ratio are reported. A program
// that exits or shows no window within the time limit ends the measurement.
// Usage: startup_bench MINDPRISM BASELINE [RUNS]   (DISPLAY must be set)
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr auto WINDOW_LIMIT = std::chrono::seconds(30);
constexpr auto EXIT_LIMIT = std::chrono::seconds(5);

std::string g_configDir;

void RemoveConfig()
{
    if (g_configDir.empty())
        return;
    std::remove((g_configDir + "/Mindprism.conf").c_str());
    rmdir(g_configDir.c_str());
}

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "startup_bench: %s\n", message.c_str());
    RemoveConfig();
    std::exit(1);
}

// The absolute path of an executable file, so that it still names the
// program after the child has changed into the program's folder.
std::string ResolveProgram(const char* path)
{
    char resolved[PATH_MAX];
    if (realpath(path, resolved) == nullptr || access(resolved, X_OK) != 0)
        Fail(std::string("no executable program at '") + path + "': " + std::strerror(errno));
    return resolved;
}

std::string DescribeStatus(int status)
{
    if (WIFEXITED(status))
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return std::string("was killed by signal ") + strsignal(WTERMSIG(status));
    return "stopped";
}

// Ends a child that has shown its window, waiting a bounded time for it.
void EndChild(pid_t child)
{
    kill(child, SIGTERM);
    const Clock::time_point deadline = Clock::now() + EXIT_LIMIT;
    while (waitpid(child, nullptr, WNOHANG) == 0)
    {
        if (Clock::now() > deadline)
        {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return;
        }
        usleep(1000);
    }
}

bool IsTopLevelMap(Display* display, const XEvent& event)
{
    return event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)
        && !event.xmap.override_redirect;
}

// Milliseconds from starting `program` (absolute) in its own folder to the
// map of a top-level window.
double TimeToWindow(Display* display, const std::string& program)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);  // drop events from earlier runs
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        Fail(std::string("cannot start a process: ") + std::strerror(errno));
    if (child == 0)
    {
        const std::string dir = program.substr(0, program.rfind('/') + 1);
        if (chdir(dir.c_str()) == 0)
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const Clock::time_point deadline = start + WINDOW_LIMIT;
    const int connection = ConnectionNumber(display);
    for (;;)
    {
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            if (IsTopLevelMap(display, event))
            {
                const double elapsed =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                EndChild(child);
                return elapsed;
            }
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            Fail(program + " " + DescribeStatus(status) + " before showing a window");
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
        {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            Fail(program + " showed no window within "
                 + std::to_string(std::chrono::seconds(WINDOW_LIMIT).count()) + " s");
        }
        // A short slice, so that a child's end is noticed without delay.
        pollfd wait = {connection, POLLIN, 0};
        poll(&wait, 1, int(std::min<long long>(left.count(), 20)));
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s MINDPRISM BASELINE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string app = ResolveProgram(argv[1]);
    const std::string baseline = ResolveProgram(argv[2]);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        Fail("cannot open the X display (set DISPLAY, or run under xvfb-run -a)");
    char config[] = "/tmp/mindprism-startup-XXXXXX";
    if (!mkdtemp(config))
        Fail("cannot create a settings folder in /tmp");
    g_configDir = config;
    std::ofstream(g_configDir + "/Mindprism.conf") << "ui_language=zh_CN\n";
    setenv("XDG_CONFIG_HOME", config, 1);

    // Warm the file cache for both.
    TimeToWindow(display, app);
    TimeToWindow(display, baseline);
    std::vector<double> appTimes, baselineTimes;
    for (int i = 0; i < runs; ++i)
    {
        appTimes.push_back(TimeToWindow(display, app));
        baselineTimes.push_back(TimeToWindow(display, baseline));
    }
    std::printf("Mind Prism, start to entry question on screen: %7.1f ms (median of %d)\n",
                Median(appTimes), runs);
    std::printf("Baseline window, same kinds of controls:       %7.1f ms (median of %d)\n",
                Median(baselineTimes), runs);
    std::printf("Ratio: %.2f (goal: at most 1.3)\n", Median(appTimes) / Median(baselineTimes));
    RemoveConfig();
    XCloseDisplay(display);
    return 0;
}
