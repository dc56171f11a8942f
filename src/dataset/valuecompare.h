#pragma once
// Ordering and equality of field values as the database sees them: NULL
// first, texts in the Portuguese collation the server's UNICODE collation agrees with.

#include "dataset/field.h"

namespace ds {

int compareValues(FieldType type, const QVariant& a, const QVariant& b);
// Exact equality (texts case-sensitive), NULL equal only to NULL.
bool sameValue(FieldType type, const QVariant& a, const QVariant& b);

} // namespace ds
