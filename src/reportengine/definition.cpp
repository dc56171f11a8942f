#include "reportengine/definition.h"

#include "reportengine/datasetsource.h"
#include "reportengine/preparer.h"
#include "reportengine/previewdialog.h"

namespace report {

Definition::Definition(QString name) : m_name(std::move(name)) {}

Definition::~Definition() = default;

Page& Definition::addPage(const QString& name)
{
    m_pages.push_back(std::make_unique<Page>(name));
    return *m_pages.back();
}

Page* Definition::findPage(const QString& name) const
{
    for (const auto& page : m_pages)
        if (page->name().compare(name, Qt::CaseInsensitive) == 0)
            return page.get();
    return nullptr;
}

void Definition::bindDataSet(const QString& name, std::unique_ptr<DataSource> source)
{
    for (auto& [bound, existing] : m_sources)
        if (bound.compare(name, Qt::CaseInsensitive) == 0) {
            existing = std::move(source);
            return;
        }
    m_sources.emplace_back(name, std::move(source));
}

void Definition::bindDataSet(const QString& name, ds::DataSet& dataSet)
{
    bindDataSet(name, std::make_unique<DataSetSource>(dataSet));
}

DataSource* Definition::dataSource(const QString& name) const
{
    for (const auto& [bound, source] : m_sources)
        if (bound.compare(name, Qt::CaseInsensitive) == 0)
            return source.get();
    return nullptr;
}

QStringList Definition::dataSetNames() const
{
    QStringList names;
    for (const auto& entry : m_sources)
        names << entry.first;
    return names;
}

ReportObject* Definition::findObject(const QString& name) const
{
    for (const auto& page : m_pages)
        if (ReportObject* found = page->findObject(name))
            return found;
    return nullptr;
}

TextBox* Definition::findText(const QString& name) const
{
    ReportObject* object = findObject(name);
    return object && object->kind() == ReportObject::Kind::Text ? static_cast<TextBox*>(object) : nullptr;
}

const PreparedReport& Definition::prepare()
{
    m_prepared = {};
    m_prepared = Preparer(*this).run();
    return m_prepared;
}

void Definition::showPrepared(QWidget* parent, const std::function<void(const QString& file)>& handedOut)
{
    PreviewDialog preview(m_prepared, m_documentTitle, parent, m_buttons);
    if (handedOut)
        QObject::connect(&preview, &PreviewDialog::handedOut, &preview, handedOut);
    preview.exec();
}

void Definition::showReport(QWidget* parent)
{
    prepare();
    showPrepared(parent);
}

} // namespace report
