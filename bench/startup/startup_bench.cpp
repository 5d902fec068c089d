// Start-up benchmark: starts a program and times until its first top-level
// window is mapped on the X display, several times, for Mind Prism (settings
// in a temporary folder, a language stored so nothing is asked) and for a
// bare toolkit window; reports the medians and their ratio.
// Usage: startup_bench MINDPRISM BASELINE [RUNS]   (DISPLAY must be set)
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

// Milliseconds from starting `program` to the map of a top-level window.
double TimeToWindow(Display* display, const std::string& program)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);  // drop events from earlier runs
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        const std::string dir = program.substr(0, program.rfind('/'));
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    double elapsed = -1;
    while (elapsed < 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display) &&
            !event.xmap.override_redirect)
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s MINDPRISM BASELINE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    char config[] = "/tmp/mindprism-startup-XXXXXX";
    if (!mkdtemp(config))
        return 1;
    std::ofstream(std::string(config) + "/Mindprism.conf") << "ui_language=zh_CN\n";
    setenv("XDG_CONFIG_HOME", config, 1);

    std::vector<double> app, baseline;
    TimeToWindow(display, argv[1]);  // warm the file cache
    for (int i = 0; i < runs; ++i)
    {
        app.push_back(TimeToWindow(display, argv[1]));
        baseline.push_back(TimeToWindow(display, argv[2]));
    }
    std::printf("Mind Prism, start to entry question on screen: %7.1f ms (median of %d)\n",
                Median(app), runs);
    std::printf("Bare toolkit window, start to window on screen: %7.1f ms (median of %d)\n",
                Median(baseline), runs);
    std::printf("Ratio: %.2f\n", Median(app) / Median(baseline));
    std::remove((std::string(config) + "/Mindprism.conf").c_str());
    rmdir(config);
    XCloseDisplay(display);
    return 0;
}
