// The search list: a random list of names and a random run of keystrokes and
// option changes on the real dialog. Whatever is typed, the chosen position
// stays within the list, a completed text is the chosen entry, and the hit
// list holds at most the rows that fit, each one an entry that matches.

#include "dialogs/tfrmlocalizar.h"
#include "fuzzsupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>

namespace {

// Letters that make case and accents matter, digits for patient numbers.
const QString kAlphabet = QStringLiteral(u"aAbBmMrRiIéÉçÇ 0123ß");

QStringList entriesFrom(fuzz::Bytes& bytes)
{
    QStringList entries;
    const int count = bytes.pick(24);
    for (int i = 0; i < count; ++i)
        entries << bytes.text().left(80);
    return entries;
}


// changed: the field's text changed during the last step, so the routine
// attached then ran on it. An option that empties a field that is empty
// already runs nothing, and the position stays what it was.
void checkState(const TfrmLocalizar& form, const QStringList& entries, bool changed)
{
    if (form.Index() < -1 || form.Index() >= entries.size())
        fuzz::fail("Index outside the list", QString::number(form.Index()));
    const bool multi = form.chbxMultiResult->isChecked();
    const bool anywhere = form.chbxProcNoMeio->isChecked();
    if (changed && !multi && !anywhere && form.Index() >= 0 && form.Edit1->text() != entries.at(form.Index()))
        fuzz::fail("completed text is not the chosen entry", form.Edit1->text());
    if (form.ListBox1->count() > 7)
        fuzz::fail("more hit rows than fit", QString::number(form.ListBox1->count()));
    for (int r = 0; r < form.ListBox1->count(); ++r) {
        const QListWidgetItem* row = form.ListBox1->item(r);
        const int at = row->data(Qt::UserRole).toInt();
        if (at < 0 || at >= entries.size() || entries.at(at) != row->text())
            fuzz::fail("hit row is not the entry it names", row->text());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    const QStringList entries = entriesFrom(bytes);
    QPointer<TfrmLocalizar> form = new TfrmLocalizar;
    form->setStrings(entries);
    form->setIndex(entries.isEmpty() ? -1 : bytes.pick(int(entries.size())));
    form->show();
    int changes = 0;
    QObject::connect(form->Edit1, &QLineEdit::textChanged, [&changes] { ++changes; });
    // Until the dialog closes (Enter on OK or on a hit row).
    for (int step = 0; step < 64 && !bytes.empty() && form && form->isVisible(); ++step) {
        const int op = bytes.pick(16);
        changes = 0;
        QWidget* focused = form->ListBox1->hasFocus() ? static_cast<QWidget*>(form->ListBox1) : form->Edit1;
        switch (op) {
        case 0: QTest::keyClick(form->Edit1, Qt::Key_Backspace); break;
        case 1: QTest::keyClick(form->Edit1, Qt::Key_Left); break;
        case 2: QTest::keyClick(form->Edit1, Qt::Key_Home); break;
        case 3: QTest::keyClick(form->Edit1, Qt::Key_End); break;
        case 4: QTest::keyClick(form->Edit1, Qt::Key_Down); break;
        case 5: QTest::keyClick(focused, Qt::Key_Return); break;
        case 6: form->chbxProcNoMeio->click(); break;
        case 7: form->chbxMultiResult->click(); break;
        case 8: form->chbxDifMaiMin->click(); break;
        case 9: QTest::keyClick(form->ListBox1, Qt::Key_Down); break;
        case 10: (void)form->grab(); break; // draws the hit rows with their blue parts
        case 11: QTest::keyClick(form->Edit1, Qt::Key_Delete); break;
        default: fuzz::typeText(form->Edit1, QString(kAlphabet.at(bytes.pick(int(kAlphabet.size()))))); break;
        }
        if (form)
            checkState(*form, entries, changes > 0);
    }
    if (form)
        form->reject();
    // The dialog destroys itself once it has closed.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (form)
        fuzz::fail("the dialog outlived its close");
    return 0;
}
