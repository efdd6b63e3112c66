// SPDX-License-Identifier: MIT
// noctivue-bench: how fast the viewer changes pictures and draws frames, and
// how much memory it holds, on the real window, headless.
//
//   noctivue-bench [--reps N] [--frames N]
//   noctivue-bench --fade-frames DIR ENTRY

#include "bench/benchclock.h"
#include "bench/decodefloor.h"
#include "bench/stats.h"
#include "catalogue/assetstore.h"
#include "catalogue/cataloguetables.h"
#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int FadeMs = 500;

// Resident and peak resident size of this process, in MiB.
struct Memory
{
    double rss = 0;
    double peak = 0;
};

Memory memory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    Memory m;
    if (!status.open(QIODevice::ReadOnly))
        return m;
    for (const QByteArray &line : status.readAll().split('\n')) {
        const auto value = [&line] {
            return line.simplified().split(' ').value(1).toDouble() / 1024;
        };
        if (line.startsWith("VmRSS:"))
            m.rss = value();
        else if (line.startsWith("VmHWM:"))
            m.peak = value();
    }
    return m;
}

QString cpuName()
{
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

// A plain window of the same size, drawn once: what any Qt program holds.
int bareWindow()
{
    QImage frame(Width, Height, QImage::Format_RGB32);
    QWidget window;
    window.show();
    window.resize(Width, Height);
    QCoreApplication::processEvents();
    window.render(&frame);
    std::printf("%.1f\n", memory().peak);
    return 0;
}

// The viewer presenting every entry ten times over; prints the peak, and the
// resident size after the first and the last round.
int viewerMemory()
{
    QImage frame(Width, Height, QImage::Format_RGB32);
    TForm2 form;
    form.show();
    form.resize(Width, Height);
    QCoreApplication::processEvents();
    double first = 0;
    for (int round = 1; round <= 10; ++round) {
        for (int entry = 0; entry < catalogue::EntryCount; ++entry) {
            form.ListBox1->setItemIndex(entry);
            form.render(&frame);
        }
        if (round == 1)
            first = memory().rss;
    }
    const Memory m = memory();
    std::printf("%.1f %.1f %.1f\n", m.peak, first, m.rss);
    return 0;
}

// Renders one fade of picture and overlay every 20 ms of the fade clock into
// PNG files, to compare builds frame by frame.
int fadeFrames(const QString &dir, int entry)
{
    BenchClock clock;
    ViewerCollaborators collaborators;
    collaborators.clock = &clock;
    QImage frame(Width, Height, QImage::Format_RGB32);
    TForm2 form(collaborators);
    form.show();
    form.resize(Width, Height);
    QCoreApplication::processEvents();
    form.MenuItem5->setChecked(true);
    form.ListBox1->setItemIndex(entry);
    for (int t = 0; t <= 520; t += FloatAnimation::TickMs) {
        clock.now = t;
        form.FloatAnimation1->tick();
        form.FloatAnimation2->tick();
        if (t % 20 != 0)
            continue;
        form.render(&frame);
        if (!frame.save(
                QStringLiteral("%1/fade_%2_%3.png").arg(dir).arg(entry).arg(t, 3, 10, QChar(u'0'))))
            return 1;
    }
    return 0;
}

class Bench
{
public:
    Bench(int reps, int frames)
        : m_reps(reps), m_frames(frames), m_frame(Width, Height, QImage::Format_RGB32)
    {}

    void run(double startedMs)
    {
        ViewerCollaborators collaborators;
        collaborators.clock = &m_clock;
        m_form = std::make_unique<TForm2>(collaborators);
        m_form->show();
        m_form->resize(Width, Height);
        QCoreApplication::processEvents();
        render();
        const double startupMs = BenchClock::wallMs() - startedMs;

        std::printf("Noctivue benchmark: %d x %d window, offscreen, %s, %d core(s)\n", Width,
                    Height, qPrintable(cpuName()), QThread::idealThreadCount());
        std::printf("present: from setting the list's index to the end of the first frame that "
                    "draws the picture\n  (the fade's first tick, opacity %.2f), rendered "
                    "offscreen into an image\n",
                    double(FloatAnimation::TickMs) / FadeMs);
        std::printf("floor: the decodes (TurboJPEG; for an overlay the faster of libspng and "
                    "libdeflate)\n  plus one full-frame write of the bitmap (memcpy)\n"
                    "CPU: the same two in CPU time of all threads, which load does not "
                    "stretch\n\n");
        presentation();
        DecodeFloor().printPngComparison(OverlayStreams, m_reps);
        frameTimes();
        std::printf("\nStart-up to the first offscreen frame (the picture still at opacity 0, not "
                    "drawn;\n  bench/launchbench.sh measures the first picture pixel on screen): "
                    "%.1f ms\n",
                    startupMs);
        memoryUse();
    }

private:
    void render() { m_form->render(&m_frame); }

    void present(int entry)
    {
        m_form->ListBox1->setItemIndex(entry);
        render();
    }

    void firstTick()
    {
        m_clock.now += FloatAnimation::TickMs;
        m_form->FloatAnimation1->tick();
        m_form->FloatAnimation2->tick();
    }

    void presentation()
    {
        DecodeFloor floor;
        std::printf("%-5s %-22s %10s %11s %10s %7s %10s %7s\n", "entry", "name", "present",
                    "of it paint", "floor", "ratio", "CPU", "ratio");
        double worst = 0, worstRatio = 0, worstCpuRatio = 0;
        int worstEntry = 0;
        for (int entry = 0; entry < catalogue::EntryCount; ++entry) {
            std::vector<double> present, paint, floors, presentCpu, floorCpu;
            for (int rep = 0; rep < m_reps; ++rep) {
                // Start from another entry so the change is real.
                m_form->ListBox1->setItemIndex(entry == 9 ? 10 : 9);
                const double c0 = BenchClock::cpuMs();
                const double t0 = BenchClock::wallMs();
                m_form->ListBox1->setItemIndex(entry);
                // The frame at opacity 0 shows no picture; the first tick's does.
                firstTick();
                const double t1 = BenchClock::wallMs();
                render();
                const double t2 = BenchClock::wallMs();
                presentCpu.push_back(BenchClock::cpuMs() - c0);
                present.push_back(t2 - t0);
                paint.push_back(t2 - t1);

                // Each part's CPU time is taken alone, so the floor's CPU
                // counts only the overlay decoder that the floor chose.
                double c = BenchClock::cpuMs();
                double f = floor.jpegMs(PictureStreams[entry]);
                double fc = BenchClock::cpuMs() - c;
                if (catalogue::hasOverlay(entry)) {
                    c = BenchClock::cpuMs();
                    const double png = floor.pngMs(OverlayStreams[entry - 1]);
                    const double pngCpu = BenchClock::cpuMs() - c;
                    c = BenchClock::cpuMs();
                    const double inflate = floor.inflateMs(OverlayStreams[entry - 1]);
                    const double inflateCpu = BenchClock::cpuMs() - c;
                    f += std::min(png, inflate);
                    fc += png < inflate ? pngCpu : inflateCpu;
                }
                c = BenchClock::cpuMs();
                f += floor.memcpyMs();
                fc += BenchClock::cpuMs() - c;
                floorCpu.push_back(fc);
                floors.push_back(f);
            }
            const double p = stats::median(present), f = stats::median(floors);
            const double paintMs = stats::median(paint);
            const double pc = stats::median(presentCpu), fc = stats::median(floorCpu);
            std::printf("%-5d %-22s %7.2f ms %8.2f ms %7.2f ms %6.2fx %7.2f ms %6.2fx\n", entry,
                        catalogue::Entries[entry].listName, p, paintMs, f, p / f, pc, pc / fc);
            worstCpuRatio = std::max(worstCpuRatio, pc / fc);
            if (p > worst) {
                worst = p;
                worstEntry = entry;
            }
            worstRatio = std::max(worstRatio, p / f);
        }
        std::printf("worst entry: %d at %.2f ms; worst ratio to the floor: %.2fx, in CPU time "
                    "%.2fx\n",
                    worstEntry, worst, worstRatio, worstCpuRatio);
        std::printf("memcpy of one 1920 x 1080 bitmap: %.2f ms\n", floor.memcpyMs());
    }

    template <typename Step> void frameRow(const char *what, Step step)
    {
        std::vector<double> times;
        for (int i = 0; i < m_frames; ++i) {
            const double t0 = BenchClock::wallMs();
            step(i);
            render();
            times.push_back(BenchClock::wallMs() - t0);
        }
        std::printf("%-34s p50 %6.2f ms   p99 %6.2f ms\n", what, stats::median(times),
                    stats::percentile(times, 99));
    }

    void frameTimes()
    {
        std::printf("\nFrame time at %d x %d\n", Width, Height);
        m_form->MenuItem5->setChecked(true);
        m_form->ListBox1->setItemIndex(6);
        frameRow("fade of picture and overlay", [this](int i) {
            // Each fade lasts 50 ticks; restart both without a new decode.
            if (i % 50 == 0) {
                m_form->FloatAnimation1->start();
                m_form->FloatAnimation2->start();
            }
            m_clock.now += FloatAnimation::TickMs;
            m_form->FloatAnimation1->tick();
            m_form->FloatAnimation2->tick();
        });
        m_form->ListBox1->setItemIndex(24);
        m_clock.now += 1000;
        m_form->FloatAnimation1->tick();
        for (int i = 0; i < 25; ++i)
            m_form->DoZoom(+1);
        frameRow("still picture at scale 3.0", [](int) {});
        m_form->FormMouseDown(Qt::LeftButton, 960, 540);
        frameRow("drag step at scale 3.0", [this](int i) {
            const float x = 960 + float((i % 40) < 20 ? i % 20 : 20 - i % 20) * 7;
            m_form->FormMouseMove(x, 540 + (i % 7));
        });
        m_form->FormMouseUp(Qt::LeftButton, 0, 0);
    }

    // Measured in fresh processes, so the benchmark's own buffers and the
    // timings before do not count.
    void memoryUse()
    {
        auto child = [](const char *mode) {
            QProcess process;
            process.start(QCoreApplication::applicationFilePath(), {QLatin1String(mode)});
            process.waitForFinished(-1);
            return QString::fromLatin1(process.readAllStandardOutput()).split(u' ');
        };
        const double bare = child("--bare").value(0).toDouble();
        const QStringList viewer = child("--memory");
        const double peak = viewer.value(0).toDouble();
        const double first = viewer.value(1).toDouble(), tenth = viewer.value(2).toDouble();
        std::printf(
            "\nMemory: peak resident %.1f MiB, a bare Qt window %.1f MiB, above it %.1f MiB\n",
            peak, bare, peak - bare);
        std::printf("Resident after round 1: %.1f MiB, after round 10: %.1f MiB, growth %.2f MiB\n",
                    first, tenth, tenth - first);
    }

    int m_reps;
    int m_frames;
    BenchClock m_clock;
    QImage m_frame;
    std::unique_ptr<TForm2> m_form;
};

} // namespace

int main(int argc, char **argv)
{
    const double startedMs = BenchClock::wallMs();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--bare")))
        return bareWindow();
    if (args.contains(QStringLiteral("--memory")))
        return viewerMemory();
    if (const qsizetype at = args.indexOf(QStringLiteral("--fade-frames")); at > 0) {
        if (at + 2 >= args.size())
            return 2;
        return fadeFrames(args[at + 1], args[at + 2].toInt());
    }
    int reps = 15, frames = 300;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--reps"))
            reps = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--frames"))
            frames = std::max(1, args[i + 1].toInt());
    }
    Bench bench(reps, frames);
    bench.run(startedMs);
    return 0;
}
