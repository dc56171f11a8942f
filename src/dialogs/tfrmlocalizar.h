#pragma once
// Finds one entry of a list of texts by what the user types: completion of a
// prefix in the field itself, the first entry containing the text, or a list
// of the hits. The dialog destroys itself once it has closed; the caller reads
// Index and the typed text right after the modal run returns.

#include <QDialog>
#include <QStringList>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

class TfrmLocalizar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLocalizar(QWidget* parent = nullptr);
    ~TfrmLocalizar() override;

    // The caller's list. The dialog keeps a copy of it, so that the caller
    // may hand in a temporary; searches run over a second copy of its own.
    void setStrings(const QStringList& strings);
    const QStringList& Strings() const { return FStrings; }
    // The chosen entry's position in the list, -1 for none.
    int Index() const { return FIndex; }
    // Shows the entry at that position in the field, wholly selected.
    void setIndex(int index);

    int exec() override;
    void done(int result) override;


    QFrame* Bevel1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QTextEdit* hitLine;
    QCheckBox* chbxProcNoMeio;
    QCheckBox* chbxMultiResult;
    QCheckBox* chbxDifMaiMin;
    QListWidget* ListBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The prompt takes the width of whatever text the caller gave it.
    void showEvent(QShowEvent* event) override;

private:
    using Routine = void (TfrmLocalizar::*)();
    class Detached;

    void Edit1Change();
    void FindAnywhere();
    void FindMultiple();
    void chbxProcNoMeioClick();
    bool Edit1KeyDown(int key);
    bool ListBox1KeyDown(int key);
    void ListBox1DblClick();
    void BitBtn1Click();
    void FormClose(int result);

    void textChanged();
    bool chooseSelectedRow();
    QString comparisonForm(const QString& text) const;
    int containsAt(const QString& expression, const QString& entry) const;
    QPair<int, int> hitOf(const QString& entry) const;
    int entryCount() const { return aux ? int(aux->size()) : 0; }

    QStringList FStrings;
    std::unique_ptr<QStringList> aux;
    int FIndex = -1;
    Routine m_routine = nullptr;
    bool m_inExec = false;
    bool m_closed = false;
};
