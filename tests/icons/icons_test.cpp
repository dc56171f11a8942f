// The pictures are compiled in and drawable without any icon theme of the desktop.

#include "icons/icons.h"

#include <QDirIterator>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// Pixels that are not fully transparent.
int paintedPixels(const QIcon& icon)
{
    const QImage image = icon.pixmap(16, 16).toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

} // namespace

TEST(IconsTest, EveryCompiledPictureDrawsAtSixteenPixels)
{
    int count = 0;
    for (QDirIterator it(QStringLiteral(":/icons")); it.hasNext();) {
        const QString name = it.nextFileInfo().completeBaseName();
        ++count;
        const QIcon icon = icons::get(name);
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        EXPECT_GT(paintedPixels(icon), 8) << name.toStdString();
    }
    EXPECT_GT(count, 20);
}

TEST(IconsTest, AnUnknownNameGivesANullIcon)
{
    EXPECT_TRUE(icons::get(QStringLiteral("no-such-picture")).isNull());
}
