#include "reportengine/band.h"

namespace report {

Band::Band(BandKind kind, QString name, double heightMm) : m_kind(kind), m_name(std::move(name)), m_height(heightMm) {}

Band& Band::setVisible(bool on)
{
    m_visible = on;
    return *this;
}

Band& Band::setGrows(bool on)
{
    m_grows = on;
    return *this;
}

Band& Band::setDataSet(const QString& name)
{
    m_dataSet = name;
    return *this;
}

Band& Band::setAfterPrint(const QString& procedure)
{
    m_afterPrint = procedure;
    return *this;
}

template <class T> T& Band::adopt(std::unique_ptr<T> object)
{
    T& ref = *object;
    m_objects.push_back(std::move(object));
    return ref;
}

TextBox& Band::addText(const QString& name, const QRectF& rectMm, const QString& text)
{
    return adopt(std::make_unique<TextBox>(name, rectMm, text));
}

Rule& Band::addRule(const QString& name, double leftMm, double topMm, double widthMm)
{
    return adopt(std::make_unique<Rule>(name, leftMm, topMm, widthMm));
}

FilledRect& Band::addRect(const QString& name, const QRectF& rectMm, const QColor& fill)
{
    return adopt(std::make_unique<FilledRect>(name, rectMm, fill));
}

SubList& Band::addSubList(const QString& name, const QRectF& rectMm, Page& content)
{
    return adopt(std::make_unique<SubList>(name, rectMm, content));
}

Picture& Band::addPicture(const QString& name, const QRectF& rectMm)
{
    return adopt(std::make_unique<Picture>(name, rectMm));
}

ReportObject* Band::findObject(const QString& name) const
{
    for (const auto& object : m_objects)
        if (object->name().compare(name, Qt::CaseInsensitive) == 0)
            return object.get();
    return nullptr;
}

} // namespace report
