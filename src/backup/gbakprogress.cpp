#include "backup/gbakprogress.h"

#include <QRegularExpression>

namespace {
const QRegularExpression kData(QStringLiteral("^gbak:\\s*(writing|restoring) data for table (.+?)\\s*$"));
const QRegularExpression kDefinition(QStringLiteral("^gbak:\\s*(?:writing|restoring) table (.+?)\\s*$"));
const QRegularExpression kIndexes(QStringLiteral("^gbak:\\s*creating indexes\\s*$"));
} // namespace

int GbakProgress::total() const { return m_defined.isEmpty() ? m_expected : int(m_defined.size()); }

bool GbakProgress::read(const QString& line)
{
    if (!line.startsWith(QStringLiteral("gbak:")))
        return false;
    if (const auto m = kData.match(line); m.hasMatch()) {
        m_table = m.captured(2);
        if (m.captured(1) == QStringLiteral("writing")) {
            // Every table is written, empty or not: the ones before are done.
            m_done = std::min(m_started++, total());
        } else {
            // Only tables with rows are named; the data comes in the reverse
            // order of the definitions, so the tables before this one are done.
            const qsizetype at = m_defined.indexOf(m_table);
            if (at >= 0)
                m_done = std::max(m_done, int(m_defined.size() - 1 - at));
        }
        return true;
    }
    if (const auto m = kDefinition.match(line); m.hasMatch()) {
        m_defined << m.captured(1);
        return true;
    }
    if (kIndexes.match(line).hasMatch()) {
        m_indexing = true;
        m_table.clear();
        m_done = total();
        return true;
    }
    return false;
}

void GbakProgress::finish()
{
    m_table.clear();
    m_done = total();
}
