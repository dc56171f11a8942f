#include "backup/gbakrun.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// "gbak: ERROR:expected backup description record", "ERROR: Backup incomplete"
QStringList errorLines(const QString& output)
{
    static const QRegularExpression error(QStringLiteral("^\\s*(?:gbak:\\s*)?ERROR:\\s*(.*?)\\s*$"),
                                          QRegularExpression::MultilineOption);
    QStringList lines;
    auto it = error.globalMatch(output);
    while (it.hasNext()) {
        const QString text = it.next().captured(1);
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

} // namespace

bool GbakRun::succeeded() const { return started && !crashed && exitCode == 0 && errorLines(output).isEmpty(); }

QString GbakRun::failureText() const
{
    if (!started)
        return QStringLiteral(u"O gbak não pôde ser executado: ") + startError;
    if (crashed)
        return QStringLiteral(u"O gbak terminou de forma anormal.");
    const QString said = QStringLiteral(u"O gbak informou:\r");
    const QStringList errors = errorLines(output);
    if (!errors.isEmpty())
        return said + errors.join(u'\r');
    // No error line: its last words say the most.
    QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    if (!lines.isEmpty())
        return said + lines.mid(std::max<qsizetype>(0, lines.size() - 3)).join(u'\r');
    return QStringLiteral(u"O gbak terminou com o código %1.").arg(exitCode);
}
