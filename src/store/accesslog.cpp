#include "store/accesslog.h"

namespace store {

void recordAccess(AccessEvent, const QString&, const QString&) {}

} // namespace store
