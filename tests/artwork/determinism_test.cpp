// SPDX-License-Identifier: MIT
// The gallery is rebuilt on every machine from seeds alone: the same entry
// must give the same bytes every time, whichever thread draws it and whatever
// else is drawn beside it.
#include "artwork/painted/painted.h"
#include "artwork/sky/skyfields.h"

#include <QImage>
#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr int StarField = 6;
constexpr int Painted = 11;

TEST(Determinism, SameEntrySameBytesOnAnyThread)
{
    const sky::StarCatalogue &catalogue = sky::loadCatalogue(QStringLiteral(NOCTIVUE_ARTWORK_DATA));
    const QImage field = sky::renderField(StarField, catalogue);
    const QImage picture = painted::renderPicture(Painted);
    ASSERT_FALSE(field.isNull());
    ASSERT_FALSE(picture.isNull());

    QImage fieldAgain;
    QImage pictureAgain;
    std::thread a([&] { fieldAgain = sky::renderField(StarField, catalogue); });
    std::thread b([&] { pictureAgain = painted::renderPicture(Painted); });
    a.join();
    b.join();
    EXPECT_TRUE(field == fieldAgain);
    EXPECT_TRUE(picture == pictureAgain);
}

} // namespace
