#include "mainwin/pagebuilder.h"

#include "icons/icons.h"
#include "mainwin/pageanchors.h"
#include "platform/windowfont.h"

PageBuilder::PageBuilder(QWidget* container, PageAnchors& anchors, QSize designSize)
    : m_container(container), m_anchors(anchors), m_designSize(designSize)
{
}

template <class W>
W* PageBuilder::place(W* widget, const char* name, QRect at)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(at);
    return widget;
}

namespace {

// Accents on capitals (Á, Ã, Ê) rise above the font's ascent: a label gets
// that room above its position and keeps its text where the position says.
constexpr int kAccentRoom = 4;

void placeCaption(QLabel* label, int x, int y, int width = -1)
{
    label->adjustSize();
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    // The ink of a glyph may reach a pixel past its advance.
    const QRect ink = label->fontMetrics().boundingRect(label->text().remove(u'&'));
    label->setGeometry(x, y - kAccentRoom, width < 0 ? std::max(label->width(), ink.width() + 1) : width,
                       label->fontMetrics().height() + kAccentRoom);
}

} // namespace

QLabel* PageBuilder::label(const QString& caption, int x, int y, QWidget* buddy)
{
    auto* l = new QLabel(caption, m_container);
    placeCaption(l, x, y);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

controls::LinkLabel* PageBuilder::link(const char* name, const QString& caption, int x, int y, QWidget* buddy)
{
    auto* l = new controls::LinkLabel(caption, m_container);
    l->setObjectName(QString::fromLatin1(name));
    placeCaption(l, x, y);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

controls::FieldEdit* PageBuilder::edit(const char* name, ds::DataSource* source, const char* field, QRect at)
{
    auto* e = place(new controls::FieldEdit(m_container), name, at);
    e->setDataSource(source);
    e->setDataField(QString::fromLatin1(field));
    return e;
}

controls::LookupComboBox* PageBuilder::lookup(const char* name, ds::DataSource* source, const char* field, QRect at)
{
    auto* box = place(new controls::LookupComboBox(m_container), name, at);
    box->setDataSource(source);
    box->setDataField(QString::fromLatin1(field));
    return box;
}

controls::FieldMemo* PageBuilder::memo(const char* name, ds::DataSource* source, const char* field, QRect at)
{
    auto* m = place(new controls::FieldMemo(m_container), name, at);
    m->setFont(platform::windowFont(10));
    m->setAutoDisplay(false);
    m->setDataSource(source);
    m->setDataField(QString::fromLatin1(field));
    return m;
}

controls::DataGrid* PageBuilder::grid(const char* name, ds::DataSource* source, QRect at)
{
    auto* g = place(new controls::DataGrid(m_container), name, at);
    g->setDataSource(source);
    g->setContextMenuPolicy(Qt::CustomContextMenu);
    return g;
}

QToolButton* PageBuilder::flatButton(const char* name, const char* icon, const QString& hint, QRect at)
{
    auto* b = place(new QToolButton(m_container), name, at);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(icons::get(QString::fromLatin1(icon)));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(hint);
    return b;
}

controls::FieldLabel* PageBuilder::patientName(ds::DataSource* source)
{
    auto* name = new controls::FieldLabel(m_container);
    name->setObjectName(QStringLiteral("lblNome%1").arg(m_container->objectName()));
    name->setFont(platform::headingFont());
    placeCaption(name, 11, 16, 400);
    name->setDataSource(source);
    name->setDataField(QStringLiteral("NOME"));
    // A name being retyped on "Ficha" (or refused there) still names the patient here.
    name->setShowsValueBeforeEditWhenEmpty(true);
    return name;
}

void PageBuilder::anchor(QWidget* widget, Qt::Edges edges) { m_anchors.anchor(widget, edges, m_designSize); }

void PageBuilder::tabOrder(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* c : controls) {
        if (previous)
            QWidget::setTabOrder(previous, c);
        previous = c;
    }
}
