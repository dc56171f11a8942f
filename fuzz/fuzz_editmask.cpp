// The entry masks: a text in display form becomes a stored value or the mask
// error, and a stored value shows and reads back as itself. First through
// the mask alone, then typed key by key into a bound text box, as a user types.

#include "controls/errorhandler.h"
#include "controls/fieldedit.h"
#include "dataset/dataset.h"
#include "dataset/datasource.h"
#include "dataset/editmask.h"
#include "fuzzsupport.h"

#include <QTest>
#include <QVBoxLayout>

namespace {

// The program's masks: telephones (a landline and a mobile layout), postal
// code, state code, the date field.
const QString kMasks[] = {QStringLiteral(u"!\\(99\\)0009-0000|\\(99\\)00000-0000;0; "), QStringLiteral(u"00\\.000\\-999;0; "),
                          QStringLiteral(u">ll;0; "), QStringLiteral(u"!99/99/9999;0; ")};
const char* const kFields[] = {"FONE", "CEP", "UF"};

// A stored value shows in display form and reads back as itself.
void checkRoundTrip(const ds::EditMask& mask, const QString& stored)
{
    const QString shown = mask.format(stored);
    if (shown.size() != mask.layoutOf(stored).displayLength())
        fuzz::fail("display form of a stored value has the wrong length", stored);
    QString again;
    try {
        again = mask.unformat(shown);
    } catch (const ds::EDBEditError&) {
        fuzz::fail("display form of a stored value is refused", shown);
    }
    if (again != stored)
        fuzz::fail("stored value does not read back", stored + QStringLiteral(" -> ") + again);
}

void maskAlone(fuzz::Bytes& bytes)
{
    const ds::EditMask mask(kMasks[bytes.pick(4)]);
    const QString display = bytes.text();
    QString stored;
    try {
        stored = mask.unformat(display);
    } catch (const ds::EDBEditError&) {
        return;
    }
    checkRoundTrip(mask, stored);
}

// Any mask text at all: parsing, formatting and reading must hold up.
void anyMask(fuzz::Bytes& bytes)
{
    const ds::EditMask mask(bytes.text());
    const QString text = bytes.text();
    (void)mask.format(text);
    (void)mask.qtInputMask();
    for (int i = -1; i <= mask.displayLength(); ++i)
        (void)mask.accept(i, text.isEmpty() ? QChar(u'x') : text.front());
    try {
        (void)mask.unformat(text);
    } catch (const ds::EDBEditError&) {
    }
}

struct Patients : ds::DataSet {
    Patients()
    {
        addField(QStringLiteral("FONE"), ds::FieldType::Text, 12).setEditMask(kMasks[0]);
        addField(QStringLiteral("CEP"), ds::FieldType::Text, 8).setEditMask(kMasks[1]);
        addField(QStringLiteral("UF"), ds::FieldType::Text, 2).setEditMask(kMasks[2]);
        open();
    }
};

struct Window {
    Window()
    {
        auto* layout = new QVBoxLayout(&window);
        box = new controls::FieldEdit(&window);
        layout->addWidget(box);
        box->setDataSource(&source);
        window.show();
        controls::setErrorHandler([](const EError&) {});
    }
    Patients data;
    ds::DataSource source{&data};
    QWidget window;
    controls::FieldEdit* box = nullptr;
};

void typedIntoBox(fuzz::Bytes& bytes)
{
    static Window& w = *new Window;
    const int which = bytes.pick(3);
    const QString name = QString::fromLatin1(kFields[which]);
    const ds::EditMask mask(kMasks[which]);
    w.box->setDataField(name);
    w.box->setFocus(Qt::TabFocusReason);
    const int home = bytes.pick(4);
    for (int i = 0; i < home; ++i)
        QTest::keyClick(w.box, Qt::Key_Left);
    fuzz::typeText(w.box, bytes.text());
    QTest::keyClick(w.box, Qt::Key_Return);
    ds::Field& field = w.data.fieldByName(name);
    if (!field.isNull())
        checkRoundTrip(mask, field.asString());
    if (w.data.isEditing())
        w.data.cancel();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    fuzz::oneOf(bytes, {maskAlone, anyMask, typedIntoBox});
    return 0;
}
