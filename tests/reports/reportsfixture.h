#pragma once
// A database with the data module and the program's reports installed, the
// modal windows of a report command answered one after the other, and each
// shown report written to a PDF.

#include "reports/treports.h"
#include "store/storefixture.h"
#include "support/pdffile.h"
#include "support/testusers.h"

#include <QPointer>
#include <QTemporaryDir>
#include <functional>

class QWidget;
class TfrmPeriodo;
class TOrbDateEdit;
namespace report {
class PreviewDialog;
}

// Answers the modal windows that open while it lives, each with the next
// action. A modal window still open when the time is up is closed and the
// test fails, so that no test hangs.
class ModalQueue : public QObject {
public:
    explicit ModalQueue(QList<std::function<void(QWidget*)>> actions, int timeoutMs = 20000);
    ~ModalQueue() override;
    int acted() const { return m_acted; }

private:
    void poll();
    void timerEvent(QTimerEvent* event) override;
    QList<std::function<void(QWidget*)>> m_actions;
    QPointer<QWidget> m_last;
    int m_acted = 0;
    int m_timer = 0;
    int m_deadline = 0;
};

// Types a date into an emptied date box, from its first position.
void typeDate(TOrbDateEdit* box, const QString& text);

class ReportsTest : public StoreTest {
protected:
    // Runs a report command; the period dialog (if it shows) is answered by
    // `period`, and the preview, which must show, is exported to `pdf` and closed.
    // Returns the preview's window title ("" when no preview showed).
    QString runReport(const std::function<void()>& command, const QString& pdf,
                      const std::function<void(TfrmPeriodo*)>& period = {});
    // The same with the period dialog answered with OK on these dates (typed).
    QString runPeriodReport(const std::function<void()>& command, const QString& pdf, const QString& start,
                            const QString& end);
    QString file(const QString& name) const { return dir.filePath(name); }
    // Whether a report command left any of the report data sets open.
    bool anyReportDataSetOpen();

    void addPatient57()
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS, FONE) VALUES (57, "
                               "'Ana Souza', '2003-02-01', '2008-04-10', 'A', '1134567890')"));
    }

    // The practice's data, entered as an administrator (a therapist only reads it).
    void enterPractice(const TConsultorio& practice) const
    {
        Tdm administrator(db.folder(), testusers::administrator());
        administrator.GravarDadosConsultorio(practice);
    }

    TReports reports{dm};
    QTemporaryDir dir;
};
