#pragma once
// A horizontal strip of a page, as wide as the page's printable area, that
// prints once (title), at the top of every sheet (headers) or once per row of
// its data set (data).

#include "reportengine/filledrect.h"
#include "reportengine/picture.h"
#include "reportengine/rule.h"
#include "reportengine/sublist.h"
#include "reportengine/textbox.h"

#include <memory>
#include <vector>

namespace report {

enum class BandKind {
    Sheet,        // the objects placed straight on a page, printed once on its first sheet
    SheetHeading, // at the very top of every sheet, above the title on the first
    ReportTitle,  // once, at the top of the first sheet
    PageHeader,   // at the top of every sheet (below the title on the first)
    ColumnHeader, // like a page header, after the page headers
    MasterData,   // once per row of its data set
};

class Band {
public:
    Band(BandKind kind, QString name, double heightMm);
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    double height() const { return m_height; }
    void setHeight(double mm) { m_height = mm; }

    // A band that is not visible is not printed at all.
    bool isVisible() const { return m_visible; }
    Band& setVisible(bool on);

    // A growing band is at least its height and as tall as its growing texts need.
    bool grows() const { return m_grows; }
    Band& setGrows(bool on);

    // The report-side name of the data set whose rows a data band prints.
    const QString& dataSet() const { return m_dataSet; }
    Band& setDataSet(const QString& name);

    // The script procedure run after each printing of the band.
    const QString& afterPrint() const { return m_afterPrint; }
    Band& setAfterPrint(const QString& procedure);

    TextBox& addText(const QString& name, const QRectF& rectMm, const QString& text);
    Rule& addRule(const QString& name, double leftMm, double topMm, double widthMm);
    FilledRect& addRect(const QString& name, const QRectF& rectMm, const QColor& fill);
    SubList& addSubList(const QString& name, const QRectF& rectMm, class Page& content);
    Picture& addPicture(const QString& name, const QRectF& rectMm);

    // Back to front.
    const std::vector<std::unique_ptr<ReportObject>>& objects() const { return m_objects; }
    ReportObject* findObject(const QString& name) const;

private:
    template <class T> T& adopt(std::unique_ptr<T> object);

    BandKind m_kind;
    QString m_name;
    double m_height;
    bool m_grows = false;
    bool m_visible = true;
    QString m_dataSet;
    QString m_afterPrint;
    std::vector<std::unique_ptr<ReportObject>> m_objects;
};

} // namespace report
