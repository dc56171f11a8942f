#pragma once
// The pictures of the program's buttons and menu items, compiled into the
// program from the Breeze icon theme.

#include <QIcon>

namespace icons {

// The picture of that name (a Breeze icon name such as "go-first"); a null
// icon when the program carries none of that name.
QIcon get(const QString& name);

} // namespace icons
