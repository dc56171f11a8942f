#include "platform/windowfont.h"

#include <QFile>
#include <QFontDatabase>

namespace platform {

namespace {
void loadTahoma()
{
    static const bool loaded = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            return true;
        const QString wineTahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        return QFile::exists(wineTahoma) && QFontDatabase::addApplicationFont(wineTahoma) >= 0;
    }();
    Q_UNUSED(loaded);
}
} // namespace

QFont windowFont(qreal pointSize)
{
    loadTahoma();
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    return font;
}

QFont headingFont(qreal pointSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace platform
