// Date texts: the program's date format read and written back, day counts of
// any value, and the date field's two-digit years, typed key by key and
// confirmed with Enter or taken back with Esc.

#include "controls/torbdateedit.h"
#include "dataset/dateformat.h"
#include "fuzzsupport.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QString kFormat = QStringLiteral("dd/MM/yyyy");

void textToDateAndBack(fuzz::Bytes& bytes)
{
    const QString text = bytes.text();
    bool ok = false;
    const QDate date = ds::textToDate(text, &ok);
    if (ok != date.isValid())
        fuzz::fail("textToDate's flag disagrees with its date", text);
    if (!ok)
        return;
    const QString written = ds::dateToText(date);
    if (ds::textToDate(written) != date)
        fuzz::fail("a date's text does not read back", text + QStringLiteral(" -> ") + written);
    if (ds::daysToDate(ds::dateToDays(date)) != date)
        fuzz::fail("a date's day count does not read back", written);
}

void anyDayCount(fuzz::Bytes& bytes)
{
    const double days = bytes.float64();
    const QDate date = ds::daysToDate(days);
    (void)ds::dateToText(date);
    (void)ds::dateToDays(date);
}

// What the field must show and hold after Enter, worked out from the text it showed before.
QDate expectedDate(QString shown, int window)
{
    while (shown.endsWith(u' '))
        shown.chop(1);
    if (shown.size() == 8) {
        bool number = false;
        const int yy = shown.mid(6, 2).toInt(&number);
        if (!number)
            return {};
        shown = shown.left(6) + QString::number(yy > window ? 1900 + yy : 2000 + yy);
    }
    return QDate::fromString(shown.trimmed(), kFormat);
}

void typedIntoField(fuzz::Bytes& bytes)
{
    static TOrbDateEdit* edit = [] {
        auto* e = new TOrbDateEdit;
        e->show();
        return e;
    }();
    edit->Clear();
    const int window = bytes.int32();
    edit->setCenturyWindow(window);
    if (edit->CenturyWindow() < 0 || edit->CenturyWindow() > 90)
        fuzz::fail("century window outside 0 to 90", QString::number(window));
    if (bytes.pick(4) == 0)
        edit->setValue(bytes.float64());
    (void)edit->Year();
    (void)edit->Month();
    (void)edit->Day();
    const QString keys = bytes.text();
    fuzz::typeText(edit, keys);
    const QString before = edit->displayText();
    const double valueBefore = edit->Value();
    const bool blank = edit->Text().trimmed().isEmpty();
    QTest::keyClick(edit, Qt::Key_Return);
    if (blank) {
        if (edit->Text() != QStringLiteral("        "))
            fuzz::fail("an empty field does not read as eight blanks", edit->Text());
    } else if (const QDate date = expectedDate(before, edit->CenturyWindow()); date.isValid()) {
        if (edit->displayText() != date.toString(kFormat) || edit->Value() != ds::dateToDays(date) ||
            edit->DateIsNil())
            fuzz::fail("a confirmed date is not shown or held", before + QStringLiteral(" -> ") + edit->displayText());
    } else if (edit->Value() != valueBefore && !(std::isnan(valueBefore) && std::isnan(edit->Value()))) {
        fuzz::fail("a refused text changed the date", before);
    }
    fuzz::typeText(edit, bytes.text());
    QTest::keyClick(edit, Qt::Key_Escape);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    fuzz::oneOf(bytes, {textToDateAndBack, anyDayCount, typedIntoField});
    return 0;
}
