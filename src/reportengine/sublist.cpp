#include "reportengine/sublist.h"

namespace report {

SubList::SubList(QString name, const QRectF& rectMm, Page& content)
    : ReportObject(Kind::SubList, std::move(name), rectMm), m_content(&content)
{
}

} // namespace report
