#include "store/phonemask.h"

namespace store {

QString phoneMask(PhoneStyle style)
{
    // A mobile number's eleventh digit takes the second layout; every shorter
    // number keeps the first, as numbers were always shown.
    return style == PhoneStyle::Box ? QStringLiteral(u"!\\(99\\)0009-0000|\\(99\\)00000-0000;0; ")
                                    : QStringLiteral(u"!\\(99\\) 0009-0000|\\(99\\) 00000-0000;0; ");
}

} // namespace store
