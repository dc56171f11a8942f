#include "platform/windowfont.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

// Tahoma is not where the font configuration looks; the window font must
// still be the real one, not a substitute.
TEST(WindowFontTest, IsTahomaAtEightPoints)
{
    const QFont font = platform::windowFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.pointSizeF(), 8.0);
}

} // namespace
