// The report engine's texts with [expressions]: any text compiles or is
// refused with an error, and a compiled text evaluates over rows of every
// kind of value with any display format. Fill conditions are read the same way.

#include "core/eerror.h"
#include "fuzzsupport.h"
#include "reportengine/datasource.h"
#include "reportengine/rowcondition.h"
#include "reportengine/texttemplate.h"

#include <QDateTime>

namespace {

// Two rows of a patient, with a text, a date, a number and an empty column.
class Rows : public report::DataSource {
public:
    bool isActive() const override { return true; }
    void open() override {}
    void first() override { m_row = 0; }
    void next() override { ++m_row; }
    bool eof() const override { return m_row >= 2; }
    int columnIndex(const QString& column) const override
    {
        static const QStringList names{QStringLiteral("NOME"), QStringLiteral("NASCIMENTO"), QStringLiteral("ID"),
                                       QStringLiteral("SAIDA")};
        return int(names.indexOf(column.toUpper()));
    }
    QVariant value(int column) const override
    {
        const int r = std::min(m_row, 1);
        switch (column) {
        case 0: return r ? QStringLiteral(u"João") : QStringLiteral("Maria");
        case 1: return QDate(2005, 6, 10).addDays(r);
        case 2: return r ? -2147483647 - 1 : 57;
        default: return QVariant();
        }
    }
    QString displayText(int column) const override { return value(column).toString(); }

private:
    int m_row = 0;
};

report::DisplayFormat formatFrom(fuzz::Bytes& bytes)
{
    const int kind = bytes.pick(4);
    const QString picture = bytes.text();
    switch (kind) {
    case 1: return report::DisplayFormat::date(picture);
    case 2: return report::DisplayFormat::number(picture);
    case 3: return report::DisplayFormat::mask(picture);
    default: return {};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    static Rows rows;
    const report::DisplayFormat format = formatFrom(bytes);
    report::TemplateContext context;
    context.line = bytes.int32();
    context.today = QDate::fromJulianDay(bytes.int32());
    context.now = QTime::fromMSecsSinceStartOfDay(bytes.int32());
    const QString text = bytes.text();
    try {
        (void)report::RowCondition::parse(text);
    } catch (const EError&) {
    }
    (void)report::TextTemplate::dataSetsOf(text);
    report::TextTemplate compiled;
    try {
        compiled = report::TextTemplate::compile(
            text, [](const QString& name) -> report::DataSource* {
                return name.compare(u"frxFicha", Qt::CaseInsensitive) == 0 ? &rows : nullptr;
            });
    } catch (const EError&) {
        return 0;
    }
    for (rows.first(); !rows.eof(); rows.next())
        (void)compiled.evaluate(context, format);
    return 0;
}
