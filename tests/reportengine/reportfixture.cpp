#include "reportfixture.h"

#include "reportengine/definition.h"

#include <gtest/gtest.h>

namespace reporttest {

TableDataSet::TableDataSet(const QString& name, const QList<std::pair<QString, ds::FieldType>>& columns)
    : ds::DataSet(name)
{
    for (const auto& [column, type] : columns)
        addField(column, type, type == ds::FieldType::Text ? 200 : 0);
}

void TableDataSet::doOpen()
{
    ++opens;
    for (const QVariantList& values : table)
        mutableRows().push_back(makeRow(QVector<QVariant>(values.begin(), values.end()), ds::RowStatus::Unmodified));
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& caption, const QString&)
{
    asked << caption;
    return fileName;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& caption, const QString& suggestedName, const QString&)
{
    asked << caption;
    suggested << suggestedName;
    return fileName;
}

bool ScriptedDialogs::print(QPrinter& printer, QWidget*) { return onPrint && onPrint(printer); }

bool ScriptedDialogs::pageSetup(QPrinter& printer, QWidget*) { return onPageSetup && onPageSetup(printer); }

report::PreparedReport childList(int rows)
{
    TableDataSet children(QStringLiteral("qryChildren"), {{QStringLiteral("NOME"), ds::FieldType::Text}});
    for (int i = 1; i <= rows; ++i)
        children.table << QVariantList{QStringLiteral("Criança %1").arg(i)};
    report::Definition definition(QStringLiteral("repChildren"));
    report::Page& page = definition.addPage(QStringLiteral("Page1"));
    page.setMargins(QMarginsF(10, 10, 10, 10));
    page.addBand(report::BandKind::ReportTitle, QStringLiteral("Title"), 6)
        .addText(QStringLiteral("Memo1"), QRectF(0, 0, 100, 5), QStringLiteral("Crianças"));
    page.addBand(report::BandKind::ColumnHeader, QStringLiteral("Header"), 6)
        .addText(QStringLiteral("Caption"), QRectF(0, 0, 100, 5), QStringLiteral("NOME"));
    report::Band& data = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6);
    data.setDataSet(QStringLiteral("frxChildren"));
    data.addText(QStringLiteral("Nome"), QRectF(0, 0, 100, 5), QStringLiteral("[frxChildren.\"NOME\"]"));
    definition.bindDataSet(QStringLiteral("frxChildren"), children);
    return definition.prepare();
}

QList<std::pair<int, report::PreparedItem>> itemsNamed(const report::PreparedReport& report, const QString& name)
{
    QList<std::pair<int, report::PreparedItem>> found;
    for (int p = 0; p < report.pages.size(); ++p)
        for (const report::PreparedItem* item : report.pages[p].itemsNamed(name))
            found.push_back({p, *item});
    return found;
}

} // namespace reporttest
