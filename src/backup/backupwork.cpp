#include "backup/backupwork.h"

#include "backup/gbakprogress.h"

BackupWork::BackupWork(const BackupEvents& events, const QString& title, int tables)
    : m_events(events), m_tables(tables)
{
    if (m_events.started)
        m_events.started(title);
}

void BackupWork::report(const QString& text)
{
    if (m_events.progress)
        m_events.progress(BackupProgress{text, m_done, m_tables});
}

void BackupWork::step(const QString& text) { report(text); }

void BackupWork::aside(const QString& stepText, const std::function<void(const LineReport& report)>& work)
{
    GbakProgress progress(m_tables);
    m_done = 0;
    auto show = [&] {
        m_tables = progress.total();
        m_done = progress.done();
        if (progress.indexing())
            report(stepText + QStringLiteral(u": criando os índices"));
        else if (!progress.table().isEmpty())
            report(stepText + QStringLiteral(": tabela ") + progress.table());
        else
            report(stepText);
    };
    show();
    bool lines = false;
    runAside(work, [&](const QString& line) {
        lines = true;
        if (progress.read(line))
            show();
    });
    if (lines) {
        progress.finish();
        show();
    }
}

void BackupWork::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_events.finished)
        m_events.finished();
}
