// SPDX-License-Identifier: MIT
// The gallery renderer: draws every picture the viewer embeds.
//
//   noctivue-artwork render --data <artwork/data> --out <dir>
//   noctivue-artwork one <entry> <file.jpg|file.png> [--data <artwork/data>]
//
// `one` draws a single catalogue entry (0..30) for a quick look; a star
// field's overlay is laid over it when the file is a PNG.

#include "artwork/artworkset.h"
#include "artwork/contactsheet.h"
#include "artwork/painted/painted.h"
#include "artwork/sky/skyfields.h"
#include "catalogue/cataloguetables.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <QElapsedTimer>

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "noctivue-artwork: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

// Runs the jobs on every core; each job owns its seeds, so the order in which
// threads pick them up does not change a single output byte.
bool runParallel(const std::vector<std::function<bool()>> &jobs)
{
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (size_t i = next++; i < jobs.size(); i = next++) {
                if (!jobs[i]())
                    ok = false;
            }
        });
    }
    for (auto &thread : pool)
        thread.join();
    return ok;
}

int render(const QString &dataDir, const QString &outDir)
{
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "noctivue-artwork: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    const QDir out(outDir);
    const auto &stars = sky::loadCatalogue(dataDir);
    const ArtworkSet set(stars);

    // Pictures are kept for the contact sheet; 39 thumbnails would do, but the
    // overlays must be laid over their pictures at full size to show register.
    std::vector<QImage> pictures(catalogue::EntryCount);
    std::vector<QImage> overlays(catalogue::OverlayCount);

    std::vector<std::function<bool()>> jobs;
    // The slow, painted pictures go first so both cores stay busy to the end.
    for (int entry = catalogue::EntryCount - 1; entry >= 0; --entry) {
        jobs.push_back([&, entry] {
            pictures[entry] = set.picture(entry);
            return save(
                pictures[entry],
                out.filePath(QLatin1String(catalogue::Entries[entry].pictureAsset) + ".jpg"),
                "jpeg", 90);
        });
    }
    jobs.push_back(
        [&] { return save(painted::renderEmblem(), out.filePath("emblem.png"), "png"); });
    for (int size : {256, 128, 64, 48, 32, 24, 16}) {
        jobs.push_back([&, size] {
            return save(painted::renderIcon(size),
                        out.filePath(QStringLiteral("icon_%1.png").arg(size)), "png");
        });
    }
    if (!runParallel(jobs))
        return 1;

    // The overlays carry all the text; fonts are drawn from one thread only.
    for (int k = 1; k <= catalogue::OverlayCount; ++k) {
        overlays[k - 1] = set.overlay(k);
        if (!save(overlays[k - 1],
                  out.filePath(QLatin1String(catalogue::OverlayAssets[k - 1]) + ".png"), "png"))
            return 1;
    }

    ContactSheet sheet;
    for (int entry = 0; entry < catalogue::EntryCount; ++entry) {
        sheet.addTile(entry, pictures[entry],
                      QStringLiteral("%1. %2").arg(entry + 1).arg(
                          QLatin1String(catalogue::Entries[entry].listName)),
                      catalogue::hasOverlay(entry));
    }
    for (int k = 1; k <= catalogue::OverlayCount; ++k) {
        QImage composed = pictures[k].convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&composed);
            p.drawImage(0, 0, overlays[k - 1]);
        }
        sheet.addTile(catalogue::EntryCount + k - 1, composed,
                      QStringLiteral("%1. %2 + overlay")
                          .arg(k + 1)
                          .arg(QLatin1String(catalogue::Entries[k].listName)),
                      true);
    }
    return save(sheet.image(), out.filePath("contact_sheet.png"), "png") ? 0 : 1;
}

int renderOne(int entry, const QString &file, const QString &dataDir)
{
    if (entry < 0 || entry >= catalogue::EntryCount) {
        std::fprintf(stderr, "noctivue-artwork: no entry %d\n", entry);
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const ArtworkSet set(sky::loadCatalogue(dataDir));
    QImage picture = set.picture(entry);
    const qint64 ms = timer.elapsed();
    const bool png = file.endsWith(".png", Qt::CaseInsensitive);
    if (png && catalogue::hasOverlay(entry)) {
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&picture);
        p.drawImage(0, 0, set.overlay(entry));
    }
    std::fprintf(stderr, "noctivue-artwork: entry %d drawn in %lld ms\n", entry, ms);
    return save(picture, file, png ? "png" : "jpeg", png ? -1 : 90) ? 0 : 1;
}

int usage()
{
    std::fprintf(stderr, "usage: noctivue-artwork render --data <dir> --out <dir>\n"
                         "       noctivue-artwork one <entry> <file> [--data <dir>]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // A build-time tool: it never needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == "render" && args[2] == "--data" && args[4] == "--out")
        return render(args[3], args[5]);
    if ((args.size() == 4 || (args.size() == 6 && args[4] == "--data")) && args[1] == "one") {
        bool ok = false;
        const int entry = args[2].toInt(&ok);
        if (!ok)
            return usage();
        return renderOne(entry, args[3],
                         args.size() == 6 ? args[5] : QStringLiteral(NOCTIVUE_ARTWORK_DATA));
    }
    return usage();
}
