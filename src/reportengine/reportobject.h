#pragma once
// Something placed on a band at a position in millimetres from the band's
// top-left corner (or, on a band-less sheet, from the sheet's printable corner).

#include <QRectF>
#include <QString>

namespace report {

class ReportObject {
public:
    enum class Kind { Text, Rule, FilledRect, SubList, Picture };

    ReportObject(Kind kind, QString name, const QRectF& rectMm);
    virtual ~ReportObject() = default;
    ReportObject(const ReportObject&) = delete;
    ReportObject& operator=(const ReportObject&) = delete;

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    const QRectF& rect() const { return m_rect; }
    void setRect(const QRectF& rectMm) { m_rect = rectMm; }

    // The scripts toggle this while a report is prepared; each run starts from
    // the value the definition holds.
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // The object's height follows its band's height, whatever the band grows to.
    bool stretchesToBand() const { return m_stretch; }
    void setStretchToBand(bool on) { m_stretch = on; }

private:
    Kind m_kind;
    QString m_name;
    QRectF m_rect;
    bool m_visible = true;
    bool m_stretch = false;
};

} // namespace report
