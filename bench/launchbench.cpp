// SPDX-License-Identifier: MIT
// noctivue-launchbench: what a user of the real executable waits for and what
// the machine pays, on an X display, against a bare Qt window.
//
//   noctivue-launchbench --viewer PATH --bare PATH --pictures DIR --xserver PID
//                        [--launches N] [--change-runs N] [--changes N]
//
// Launch: from spawning the process to the first pixel of the screen that
// changes (the window's first frame) and to the first pixel that shows the
// picture (changed and not black), polling three rows of the root window
// every half millisecond. Runs alternate between the viewer and the bare
// window, which is given the picture the viewer started on.
//
// Picture changes: the list is clicked once, End selects the last entry,
// then Up and Down presses each change the picture; each is given 700 ms,
// the 0.5 s fade included. CPU time and context switches are summed over all
// threads of the process (/proc/PID/task/*/schedstat and status), and the X
// server's CPU time over the same span. bench/launchbench.sh sets up the
// display and runs this.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void sleepMs(double ms)
{
    timespec ts{time_t(ms / 1000), long(std::fmod(ms, 1000.0) * 1e6)};
    nanosleep(&ts, nullptr);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[(v.size() - 1) / 2];
}

// CPU time in ms and context switches, summed over the threads alive now.
struct Usage
{
    double cpuMs = 0;
    long switches = 0;
};

Usage usage(pid_t pid)
{
    Usage u;
    const std::string base = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(base.c_str());
    if (!dir)
        return u;
    while (dirent *e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        const std::string task = base + "/" + e->d_name;
        std::ifstream sched(task + "/schedstat");
        long long ns = 0;
        if (sched >> ns)
            u.cpuMs += double(ns) / 1e6;
        std::ifstream status(task + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.find("ctxt_switches:") != std::string::npos)
                u.switches += std::atol(line.substr(line.find(':') + 1).c_str());
        }
    }
    closedir(dir);
    return u;
}

pid_t spawn(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", args[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

void key(const char *name)
{
    const pid_t pid = spawn({"/usr/bin/xdotool", "key", name});
    int status = 0;
    waitpid(pid, &status, 0);
}

void click(int x, int y)
{
    const pid_t pid = spawn(
        {"/usr/bin/xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"});
    int status = 0;
    waitpid(pid, &status, 0);
}

class RootScreen
{
public:
    RootScreen()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display) {
            std::fprintf(stderr, "no X display\n");
            std::exit(1);
        }
        m_root = DefaultRootWindow(m_display);
        width = DisplayWidth(m_display, DefaultScreen(m_display));
        height = DisplayHeight(m_display, DefaultScreen(m_display));
        // A mid grey that no first frame and no picture starts with.
        XSetWindowBackground(m_display, m_root, 0x808080);
        XClearWindow(m_display, m_root);
        XSync(m_display, False);
        // Rows across the picture area, clear of the panel and the name.
        m_rows = {{height / 4, 340}, {height / 2, 0}, {3 * height / 4, 0}};
        m_baseline = grab();
    }
    ~RootScreen() { XCloseDisplay(m_display); }

    std::vector<std::vector<unsigned>> grab()
    {
        std::vector<std::vector<unsigned>> rows;
        for (const auto &[y, x0] : m_rows)
            rows.push_back(row(y, x0));
        return rows;
    }

    std::vector<unsigned> row(int y, int x0 = 0)
    {
        std::vector<unsigned> out;
        XImage *image =
            XGetImage(m_display, m_root, x0, y, unsigned(width - x0), 1, AllPlanes, ZPixmap);
        if (!image)
            return out;
        for (int x = 0; x < width - x0; ++x)
            out.push_back(unsigned(XGetPixel(image, x, 0)) & 0xFFFFFFu);
        XDestroyImage(image);
        return out;
    }

    // 1: some pixel changed; 2: some changed pixel is not black.
    int state()
    {
        const auto rows = grab();
        int s = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t x = 0; x < rows[r].size() && x < m_baseline[r].size(); ++x) {
                if (rows[r][x] == m_baseline[r][x])
                    continue;
                if (rows[r][x] != 0)
                    return 2;
                s = 1;
            }
        }
        return s;
    }

    void waitForBaseline()
    {
        const double until = nowMs() + 3000;
        while (nowMs() < until && state() != 0)
            sleepMs(5);
        sleepMs(300);
    }

    int width = 0;
    int height = 0;

private:
    Display *m_display = nullptr;
    Window m_root = 0;
    std::vector<std::pair<int, int>> m_rows;
    std::vector<std::vector<unsigned>> m_baseline;
};

struct Launch
{
    double firstPixelMs = 0;
    double firstPictureMs = 0;
    // The process's CPU time when the picture showed: what load cannot stretch.
    double cpuMs = 0;
};

// Spawns the process and polls until a picture pixel shows (or 5 s pass).
Launch measureLaunch(RootScreen &screen, const std::vector<std::string> &argv, pid_t &pid)
{
    Launch l;
    const double t0 = nowMs();
    pid = spawn(argv);
    while (nowMs() - t0 < 5000) {
        const int s = screen.state();
        const double t = nowMs() - t0;
        if (s >= 1 && l.firstPixelMs == 0)
            l.firstPixelMs = t;
        if (s == 2) {
            l.firstPictureMs = t;
            l.cpuMs = usage(pid).cpuMs;
            break;
        }
        sleepMs(0.5);
    }
    return l;
}

struct Picture
{
    int entry;
    std::string path;
    std::vector<unsigned> middleRow;
};

std::vector<Picture> loadNebulae(const std::string &dir, int height)
{
    std::vector<Picture> pictures;
    tjhandle tj = tjInitDecompress();
    // Entries 9..30, the nebulae the viewer starts on, are JpgImage_10..31.
    for (int entry = 9; entry <= 30; ++entry) {
        const std::string path = dir + "/JpgImage_" + std::to_string(entry + 1) + ".jpg";
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string bytes = buffer.str();
        std::vector<unsigned char> pixels(size_t(1920) * 1080 * 4);
        if (bytes.empty() ||
            tjDecompress2(tj, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(),
                          pixels.data(), 1920, 1920 * 4, 1080, TJPF_BGRX, 0) != 0) {
            std::fprintf(stderr, "cannot decode %s\n", path.c_str());
            std::exit(1);
        }
        Picture p{entry, path, {}};
        const unsigned *row = reinterpret_cast<const unsigned *>(pixels.data()) +
                              size_t(std::min(height / 2, 1079)) * 1920;
        for (int x = 0; x < 1920; ++x)
            p.middleRow.push_back(row[x] & 0xFFFFFFu);
        pictures.push_back(std::move(p));
    }
    tjDestroy(tj);
    return pictures;
}

// The nebula whose middle row is nearest to what the screen shows.
const Picture &identify(RootScreen &screen, const std::vector<Picture> &pictures)
{
    const std::vector<unsigned> shown = screen.row(screen.height / 2);
    const Picture *best = &pictures.front();
    double bestDistance = 1e300;
    for (const Picture &p : pictures) {
        double d = 0;
        for (size_t x = 0; x < shown.size() && x < p.middleRow.size(); ++x) {
            for (int shift : {0, 8, 16})
                d += std::abs(int((shown[x] >> shift) & 0xFF) -
                              int((p.middleRow[x] >> shift) & 0xFF));
        }
        if (d < bestDistance) {
            bestDistance = d;
            best = &p;
        }
    }
    return *best;
}

struct Changes
{
    double cpuMs = 0;
    double switches = 0;
    double serverMs = 0;
};

// Presses the keys, 700 ms apart, and returns the cost per press.
Changes measureChanges(pid_t pid, pid_t server, const std::vector<const char *> &keys)
{
    const Usage a0 = usage(pid), x0 = usage(server);
    for (const char *k : keys) {
        key(k);
        sleepMs(700);
    }
    const Usage a1 = usage(pid), x1 = usage(server);
    const double n = double(keys.size());
    return {(a1.cpuMs - a0.cpuMs) / n, double(a1.switches - a0.switches) / n,
            (x1.cpuMs - x0.cpuMs) / n};
}

std::vector<const char *> changeKeys(int count)
{
    // Up from the last entry, then back down: every press is a real change.
    std::vector<const char *> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back((i / 10) % 2 == 0 ? "Up" : "Down");
    return keys;
}

} // namespace

int main(int argc, char **argv)
{
    std::string viewer, bare, pictureDir;
    pid_t server = 0;
    int launches = 15, changeRuns = 3, changes = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--viewer")
            viewer = v;
        else if (a == "--bare")
            bare = v;
        else if (a == "--pictures")
            pictureDir = v;
        else if (a == "--xserver")
            server = pid_t(std::atoi(v.c_str()));
        else if (a == "--launches")
            launches = std::max(1, std::atoi(v.c_str()));
        else if (a == "--change-runs")
            changeRuns = std::max(0, std::atoi(v.c_str()));
        else if (a == "--changes")
            changes = std::max(1, std::atoi(v.c_str()));
    }
    if (viewer.empty() || bare.empty() || pictureDir.empty() || server <= 0) {
        std::fprintf(stderr, "usage: noctivue-launchbench --viewer PATH --bare PATH "
                             "--pictures DIR --xserver PID [--launches N] [--change-runs N] "
                             "[--changes N]\n");
        return 2;
    }

    RootScreen screen;
    const std::vector<Picture> pictures = loadNebulae(pictureDir, screen.height);
    std::printf("Launch and picture changes on X display %s, %d x %d; load average at start:",
                std::getenv("DISPLAY"), screen.width, screen.height);
    std::ifstream loadavg("/proc/loadavg");
    std::string l1, l5;
    loadavg >> l1 >> l5;
    std::printf(" %s (1 min), %s (5 min)\n", l1.c_str(), l5.c_str());
    std::printf("Launch: spawn to the first changed pixel / the first picture pixel, %d "
                "interleaved runs each\n\n",
                launches);

    std::vector<double> vPixel, vPicture, bPixel, bPicture, ratios, vCpuLaunch, bCpuLaunch;
    for (int run = 0; run < launches; ++run) {
        pid_t pid = 0;
        const Launch v = measureLaunch(screen, {viewer}, pid);
        sleepMs(1200);
        const Picture &shown = identify(screen, pictures);
        stop(pid);
        screen.waitForBaseline();

        const Launch b = measureLaunch(screen, {bare, shown.path}, pid);
        sleepMs(300);
        stop(pid);
        screen.waitForBaseline();

        std::printf("run %2d entry %2d  viewer %6.1f / %6.1f ms, CPU %5.1f ms   bare %6.1f / "
                    "%6.1f ms, CPU %5.1f ms\n",
                    run + 1, shown.entry, v.firstPixelMs, v.firstPictureMs, v.cpuMs, b.firstPixelMs,
                    b.firstPictureMs, b.cpuMs);
        std::fflush(stdout);
        vPixel.push_back(v.firstPixelMs);
        vPicture.push_back(v.firstPictureMs);
        bPixel.push_back(b.firstPixelMs);
        bPicture.push_back(b.firstPictureMs);
        ratios.push_back(v.firstPictureMs / b.firstPictureMs);
        vCpuLaunch.push_back(v.cpuMs);
        bCpuLaunch.push_back(b.cpuMs);
    }
    std::printf("\nmedian first changed pixel: viewer %.1f ms, bare window %.1f ms\n",
                median(vPixel), median(bPixel));
    std::printf("median first picture pixel: viewer %.1f ms, bare window %.1f ms, "
                "ratio %.2fx (median of run ratios %.2fx)\n",
                median(vPicture), median(bPicture), median(vPicture) / median(bPicture),
                median(ratios));
    std::printf("median CPU time at the first picture pixel: viewer %.1f ms, bare window %.1f ms, "
                "ratio %.2fx\n",
                median(vCpuLaunch), median(bCpuLaunch), median(vCpuLaunch) / median(bCpuLaunch));

    if (changeRuns == 0)
        return 0;
    std::printf("\nPicture changes: %d runs of %d presses (entries 30 down to 20 and back)\n",
                changeRuns, changes);
    std::vector<std::string> bareArgs{bare};
    for (int entry = 20; entry <= 30; ++entry)
        bareArgs.push_back(pictureDir + "/JpgImage_" + std::to_string(entry + 1) + ".jpg");
    std::vector<double> vCpu, vSw, vX, bCpu, bSw, bX;
    for (int run = 0; run < changeRuns; ++run) {
        pid_t pid = 0;
        measureLaunch(screen, {viewer}, pid);
        sleepMs(1000);
        // Row 0 of the list takes the focus; End then selects entry 30.
        click(40 + 16 + 40, 40 + 16 + 13);
        sleepMs(800);
        key("End");
        sleepMs(1000);
        const Changes v = measureChanges(pid, server, changeKeys(changes));
        stop(pid);
        screen.waitForBaseline();

        measureLaunch(screen, bareArgs, pid);
        sleepMs(1000);
        const Changes b = measureChanges(pid, server, changeKeys(changes));
        stop(pid);
        screen.waitForBaseline();

        std::printf("run %d  viewer %6.1f ms CPU %7.0f switches X %5.1f ms   bare %6.1f ms CPU "
                    "%5.0f switches X %5.1f ms\n",
                    run + 1, v.cpuMs, v.switches, v.serverMs, b.cpuMs, b.switches, b.serverMs);
        std::fflush(stdout);
        vCpu.push_back(v.cpuMs);
        vSw.push_back(v.switches);
        vX.push_back(v.serverMs);
        bCpu.push_back(b.cpuMs);
        bSw.push_back(b.switches);
        bX.push_back(b.serverMs);
    }
    std::printf("\nper change (median of runs): viewer CPU %.1f ms, %.0f context switches, X "
                "server %.1f ms\n",
                median(vCpu), median(vSw), median(vX));
    std::printf("                             bare   CPU %.1f ms, %.0f context switches, X "
                "server %.1f ms\n",
                median(bCpu), median(bSw), median(bX));
    std::printf("ratios viewer / bare: CPU %.2fx, context switches %.2fx, X server %.2fx\n",
                median(vCpu) / median(bCpu), median(vSw) / std::max(1.0, median(bSw)),
                median(vX) / median(bX));
    return 0;
}
