#pragma once
// A list inside a band: every row of the data bands of another page, one
// under the other from the list's top-left corner. Their positions count
// from that corner; the band grows to hold the whole list.

#include "reportengine/reportobject.h"

namespace report {

class Page;

class SubList : public ReportObject {
public:
    SubList(QString name, const QRectF& rectMm, Page& content);
    Page& content() const { return *m_content; }

private:
    Page* m_content;
};

} // namespace report
