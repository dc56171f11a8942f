#pragma once
// The text of a box split once into literal parts and expressions, so that
// every row only reads its columns by index.

#include "reportengine/displayformat.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <functional>
#include <vector>

namespace report {

class DataSource;

struct TemplateContext {
    int line = 0; // row number of the band being printed, from 1
    QDate today;
    QTime now;
};

class TextTemplate {
public:
    TextTemplate() = default;

    // The report-side data set names that the expressions of a text read.
    static QStringList dataSetsOf(const QString& text);

    // Throws EError for an expression it does not know or a column the data set lacks.
    static TextTemplate compile(const QString& text, const std::function<DataSource*(const QString&)>& sources);
    static TextTemplate literal(const QString& text);

    bool isConstant() const { return m_constant; }
    QString evaluate(const TemplateContext& context, const DisplayFormat& format) const;

private:
    struct Segment {
        enum class Kind { Literal, Column, Date, Time, Line } kind = Kind::Literal;
        QString text;
        DataSource* source = nullptr;
        int column = -1;
    };
    std::vector<Segment> m_segments;
    bool m_constant = true;
};

} // namespace report
