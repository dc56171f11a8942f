#include "reportengine/reportobject.h"

namespace report {

ReportObject::ReportObject(Kind kind, QString name, const QRectF& rectMm)
    : m_kind(kind), m_name(std::move(name)), m_rect(rectMm)
{
}

} // namespace report
