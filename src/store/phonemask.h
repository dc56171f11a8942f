#pragma once
// The telephone's entry mask, the one place that lays out a telephone for the
// boxes and for the printed reports. Telephones are stored as digits only: a
// landline of up to ten (an optional area code and seven or eight digits) or
// a mobile of eleven (area code, 9, eight digits).

#include <QString>

namespace store {

// Box: (11)3456-7890 and (11)98765-4321; Print: (11) 3456-7890 and (11) 98765-4321.
enum class PhoneStyle { Box, Print };

QString phoneMask(PhoneStyle style);

} // namespace store
