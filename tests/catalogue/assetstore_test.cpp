// SPDX-License-Identifier: MIT
#include "catalogue/bitmapdecoder.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"
#include "catalogue/resourceassetstore.h"

#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

QStringList allAssetNames()
{
    QStringList names;
    for (const auto &entry : catalogue::Entries)
        names << QLatin1String(entry.pictureAsset);
    for (const char *name : catalogue::OverlayAssets)
        names << QLatin1String(name);
    return names;
}

QString alternateCase(const QString &name)
{
    QString out = name;
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = i % 2 ? out[i].toUpper() : out[i].toLower();
    return out;
}

TEST(EmbeddedStore, FindsEveryAssetInAnyLetterCase)
{
    const AssetStore &store = ResourceAssetStore::embedded();
    const std::vector<std::function<QString(const QString &)>> spellings = {
        [](const QString &n) { return n; },
        [](const QString &n) { return n.toUpper(); },
        [](const QString &n) { return n.toLower(); },
        alternateCase,
    };
    for (const QString &name : allAssetNames()) {
        const AssetView reference = store.open(name);
        ASSERT_TRUE(reference.isOpen()) << qPrintable(name);
        for (const auto &spell : spellings) {
            const AssetView view = store.open(spell(name));
            EXPECT_EQ(view.data, reference.data) << qPrintable(spell(name));
        }
    }
}

TEST(EmbeddedStore, ViewIsTheWholeFileInPlace)
{
    const AssetStore &store = ResourceAssetStore::embedded();
    for (const QString &name : allAssetNames()) {
        const QString ext = name.startsWith(u'P') ? ".png" : ".jpg";
        QFile file(QStringLiteral(NOCTIVUE_ASSET_DIR "/") + name + ext);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
        const QByteArray bytes = file.readAll();
        const AssetView view = store.open(name);
        ASSERT_EQ(view.size, bytes.size()) << qPrintable(name);
        EXPECT_EQ(QByteArray::fromRawData(reinterpret_cast<const char *>(view.data), view.size),
                  bytes)
            << qPrintable(name);
        // Opening twice gives the same bytes: a view, not a copy.
        EXPECT_EQ(store.open(name).data, view.data);
    }
}

TEST(EmbeddedStore, MissingNameIsReportedAsAskedFor)
{
    for (const char *name : {"jpgImage_32", "PNGIMAGE_9", "", "jpgImage_1.jpg"}) {
        try {
            ResourceAssetStore::embedded().open(QLatin1String(name));
            ADD_FAILURE() << "found " << name;
        } catch (const CatalogueError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("Resource %1 not found").arg(QLatin1String(name)));
        }
    }
}

TEST(EmbeddedStore, DoneReadingKeepsTheBytesAndLeavesOtherMemoryAlone)
{
    const AssetStore &store = ResourceAssetStore::embedded();
    const AssetView view = store.open("JpgImage_12");
    const QByteArray before(reinterpret_cast<const char *>(view.data), view.size);
    store.doneReading(view);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(view.data), view.size), before);

    // Memory the store does not own would be lost if its pages were dropped.
    const QByteArray heap(4 << 20, 'x');
    store.doneReading({reinterpret_cast<const uchar *>(heap.constData()), heap.size()});
    EXPECT_EQ(heap.count('x'), heap.size());
}

// The embedded store with some names removed or replaced by other bytes.
class AlteredStore : public AssetStore
{
public:
    AssetView open(const QString &name) const override
    {
        opened << name;
        if (missing.contains(name))
            throw notFound(name);
        if (const auto it = replaced.constFind(name); it != replaced.cend())
            return {reinterpret_cast<const uchar *>(it->constData()), it->size()};
        return ResourceAssetStore::embedded().open(name);
    }

    QStringList missing;
    QHash<QString, QByteArray> replaced;
    mutable QStringList opened;
};

TEST(CatalogueStreams, OpenInEntryOrderAndStopAtTheFirstMissingAsset)
{
    AlteredStore store;
    store.missing << "JpgImage_7";
    std::array<AssetView, catalogue::EntryCount> pictures{};
    std::array<AssetView, catalogue::OverlayCount> overlays{};
    try {
        catalogue::openStreams(store, pictures, overlays);
        FAIL() << "opened a catalogue that lacks an asset";
    } catch (const CatalogueError &e) {
        EXPECT_EQ(e.text(), QLatin1String("Resource JpgImage_7 not found"));
    }
    EXPECT_EQ(store.opened, QStringList({"jpgImage_1", "jpgImage_2", "jpgImage_3", "JpgImage_4",
                                         "JpgImage_5", "JpgImage_6", "JpgImage_7"}));
    EXPECT_FALSE(overlays[0].isOpen());
}

TEST(CatalogueStreams, PicturesThenOverlaysAndReleaseOnlyThePictures)
{
    AlteredStore store;
    std::array<AssetView, catalogue::EntryCount> pictures{};
    std::array<AssetView, catalogue::OverlayCount> overlays{};
    catalogue::openStreams(store, pictures, overlays);
    ASSERT_EQ(store.opened.size(), catalogue::EntryCount + catalogue::OverlayCount);
    EXPECT_EQ(store.opened.front(), "jpgImage_1");
    EXPECT_EQ(store.opened[catalogue::EntryCount - 1], "JpgImage_31");
    EXPECT_EQ(store.opened[catalogue::EntryCount], "PngImage_1");
    EXPECT_EQ(store.opened.back(), "PngImage_8");

    catalogue::releaseStreams(pictures, catalogue::EntryCount);
    for (const AssetView &v : pictures)
        EXPECT_FALSE(v.isOpen());
    for (const AssetView &v : overlays)
        EXPECT_TRUE(v.isOpen());
}

TEST(BitmapDecoding, CorruptBytesFailWithTheLoaderMessage)
{
    const QByteArray garbage("not a picture at all");
    const AssetView real = ResourceAssetStore::embedded().open("JpgImage_10");
    const QByteArray truncated(reinterpret_cast<const char *>(real.data), real.size / 3);
    const AssetView png = ResourceAssetStore::embedded().open("PngImage_1");
    QByteArray flipped(reinterpret_cast<const char *>(png.data), png.size);
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x5A);

    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool overlay;
    };
    const Case cases[] = {
        {"garbage as picture", garbage, false},  {"garbage as overlay", garbage, true},
        {"truncated picture", truncated, false}, {"overlay with a flipped byte", flipped, true},
        {"empty", QByteArray(), false},
    };
    for (const Case &c : cases) {
        QImage target;
        const AssetView view{reinterpret_cast<const uchar *>(c.bytes.constData()), c.bytes.size()};
        try {
            c.overlay ? catalogue::decodeOverlay(view, target)
                      : catalogue::decodePicture(view, target);
            ADD_FAILURE() << c.what << " decoded";
        } catch (const CatalogueError &e) {
            EXPECT_EQ(e.text(), QLatin1String("Loading bitmap failed.")) << c.what;
        }
    }
}

} // namespace
