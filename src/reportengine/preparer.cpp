#include "reportengine/preparer.h"

#include "core/clock.h"
#include "core/eerror.h"
#include "reportengine/definition.h"
#include "reportengine/fontmetrics.h"

#include <QCoreApplication>
#include <QSet>

namespace report {

namespace {

constexpr double kTolerance = 0.01; // mm

template <class Visit> void forEachBand(const Definition& definition, Visit visit)
{
    for (const auto& page : definition.pages()) {
        visit(*page, page->sheet());
        for (const auto& band : page->bands())
            visit(*page, *band);
    }
}

template <class Visit> void forEachObject(const Definition& definition, Visit visit)
{
    forEachBand(definition, [&](const Page& page, const Band& band) {
        for (const auto& object : band.objects())
            visit(page, band, *object);
    });
}

// Pages shown by a sub-list print only there.
QSet<const Page*> listedPages(const Definition& definition)
{
    QSet<const Page*> pages;
    forEachObject(definition, [&](const Page&, const Band&, const ReportObject& object) {
        if (object.kind() == ReportObject::Kind::SubList)
            pages.insert(&static_cast<const SubList&>(object).content());
    });
    return pages;
}

// Each run starts from the visibility the definition holds, so that a script
// that toggles objects gives the same pages every time.
class VisibilityGuard {
public:
    explicit VisibilityGuard(const Definition& definition)
    {
        forEachObject(definition, [&](const Page&, const Band&, const ReportObject& object) {
            m_saved.push_back({const_cast<ReportObject*>(&object), object.isVisible()});
        });
    }
    ~VisibilityGuard()
    {
        for (const auto& [object, visible] : m_saved)
            object->setVisible(visible);
    }

private:
    std::vector<std::pair<ReportObject*, bool>> m_saved;
};

PreparedItem itemFor(const ReportObject& object, double left, double top, double height)
{
    PreparedItem item;
    item.name = object.name();
    item.rect = QRectF(left + object.rect().x(), top, object.rect().width(), height);
    return item;
}

} // namespace

Preparer::Preparer(Definition& definition) : m_definition(definition) {}

PreparedReport Preparer::run()
{
    VisibilityGuard visibility(m_definition);
    openDataSets();
    compile();
    m_context.today = Clock::today();
    m_context.now = Clock::time();
    m_script.runMain();

    const QSet<const Page*> listed = listedPages(m_definition);
    auto printAll = [&] {
        for (const auto& page : m_definition.pages())
            if (!listed.contains(page.get()))
                printPage(*page);
    };
    DataSource* main = m_definition.mainDataSet().isEmpty() ? nullptr : m_definition.dataSource(m_definition.mainDataSet());
    if (main) {
        main->first();
        if (main->eof())
            printAll();
        for (; !main->eof(); main->next())
            printAll();
    } else {
        printAll();
    }
    return std::move(m_report);
}

void Preparer::openDataSets()
{
    QHash<QString, QString> used; // by lower-case name
    auto use = [&](const QString& name) {
        if (!name.isEmpty())
            used.insert(name.toLower(), name);
    };
    use(m_definition.mainDataSet());
    forEachBand(m_definition, [&](const Page&, const Band& band) { use(band.dataSet()); });
    forEachObject(m_definition, [&](const Page&, const Band&, const ReportObject& object) {
        if (object.kind() == ReportObject::Kind::Text) {
            const auto& box = static_cast<const TextBox&>(object);
            if (box.allowsExpressions())
                for (const QString& name : TextTemplate::dataSetsOf(box.text()))
                    use(name);
        }
    });
    for (const QString& name : std::as_const(used))
        if (!m_definition.dataSource(name))
            throw EError(QCoreApplication::translate("report", "The report uses the data set %1, which is not bound.").arg(name));
    // In binding order: opening one data set may open another.
    for (const QString& name : m_definition.dataSetNames()) {
        DataSource* source = m_definition.dataSource(name);
        if (used.contains(name.toLower()) && !source->isActive())
            source->open();
    }
}

void Preparer::compile()
{
    auto sources = [this](const QString& name) { return m_definition.dataSource(name); };
    auto resolve = [this](const QString& name) { return m_definition.findObject(name); };
    forEachObject(m_definition, [&](const Page& page, const Band&, const ReportObject& object) {
        if (object.kind() != ReportObject::Kind::Text)
            return;
        const auto& box = static_cast<const TextBox&>(object);
        CompiledText compiled;
        compiled.text = box.allowsExpressions() ? TextTemplate::compile(box.text(), sources) : TextTemplate::literal(box.text());
        compiled.font = box.font().value_or(page.defaultFont());
        if (compiled.text.isConstant() && box.flow() != TextFlow::Fit)
            compiled.constant = TextLayout::wrap(box.text(), compiled.font, box.rect().width(), box.flow());
        m_texts.insert(&box, std::move(compiled));
    });
    m_script = Script::parse(m_definition.script(), resolve);
    forEachBand(m_definition, [&](const Page&, const Band& band) {
        if (!band.afterPrint().isEmpty() && !m_script.hasProcedure(band.afterPrint()))
            throw EError(QCoreApplication::translate("report", "The script has no procedure %1.").arg(band.afterPrint()));
    });
}

void Preparer::printPage(const Page& page)
{
    m_page = &page;
    const QRectF printable = page.printableRect();
    m_left = printable.left();
    m_top = printable.top();
    m_bottom = printable.bottom();
    newSheet(true);
    for (const auto& band : page.bands())
        if (band->kind() == BandKind::MasterData && band->isVisible())
            printDataBand(*band);
}

void Preparer::newSheet(bool first)
{
    PreparedPage sheet;
    sheet.size = m_page->paperSize();
    m_report.pages.push_back(std::move(sheet));
    m_y = m_top;
    auto bandsOf = [this](BandKind kind) {
        std::vector<const Band*> bands;
        for (const auto& band : m_page->bands())
            if (band->kind() == kind && band->isVisible())
                bands.push_back(band.get());
        return bands;
    };
    // The heading stands above everything; what follows it on a later sheet begins no higher than its top margin.
    for (const Band* band : bandsOf(BandKind::SheetHeading))
        append(layoutBand(*band, m_left, 0));
    if (!first)
        m_y = std::max(m_y, m_page->continuationTop());
    m_bodyTop = m_y;
    if (first) {
        if (!m_page->sheet().objects().empty())
            place(layoutBand(m_page->sheet(), m_left, 0));
        for (const Band* band : bandsOf(BandKind::ReportTitle))
            place(layoutBand(*band, m_left, 0));
    }
    for (BandKind kind : {BandKind::PageHeader, BandKind::ColumnHeader})
        for (const Band* band : bandsOf(kind))
            append(layoutBand(*band, m_left, 0));
    m_bodyTop = m_y;
}

void Preparer::printDataBand(const Band& band)
{
    DataSource* source = band.dataSet().isEmpty() ? nullptr : m_definition.dataSource(band.dataSet());
    if (!source) {
        place(layoutBand(band, m_left, 1));
        afterPrint(band);
        return;
    }
    source->first();
    for (int line = 1; !source->eof(); ++line, source->next()) {
        place(layoutBand(band, m_left, line));
        afterPrint(band);
    }
}

void Preparer::afterPrint(const Band& band)
{
    if (!band.afterPrint().isEmpty())
        m_script.run(band.afterPrint());
}

Preparer::Piece Preparer::layoutBand(const Band& band, double left, int line)
{
    struct Laid {
        const ReportObject* object = nullptr;
        double height = 0;
        WrappedText text;
        TextFont font;
        Piece list;
        bool grows = false;
    };
    m_context.line = line;
    std::vector<Laid> laid;
    laid.reserve(band.objects().size());
    double height = band.height();
    std::optional<QRectF> spill;
    for (const auto& owned : band.objects()) {
        const ReportObject& object = *owned;
        if (!object.isVisible())
            continue;
        Laid entry;
        entry.object = &object;
        entry.height = object.rect().height();
        switch (object.kind()) {
        case ReportObject::Kind::Text: {
            const auto& box = static_cast<const TextBox&>(object);
            const CompiledText& compiled = m_texts[&box];
            entry.font = compiled.font;
            entry.grows = box.flow() == TextFlow::Grow && band.grows();
            if (compiled.constant) {
                entry.text = *compiled.constant;
            } else if (box.flow() == TextFlow::Fit) {
                entry.text = TextLayout::fit(compiled.text.evaluate(m_context, box.displayFormat()), entry.font,
                                             box.rect().size(), box.minimumPointSize());
                entry.grows = entry.text.height() > entry.height + kTolerance;
            } else {
                int maxLines = -1;
                if (!entry.grows && !object.stretchesToBand())
                    maxLines = TextLayout::linesFitting(entry.height, FontMetrics::of(compiled.font).lineSpacing());
                entry.text = TextLayout::wrap(compiled.text.evaluate(m_context, box.displayFormat()), compiled.font,
                                              object.rect().width(), box.flow(), maxLines);
            }
            if (entry.grows)
                entry.height = std::max(entry.height, entry.text.height());
            if (band.grows())
                height = std::max(height, object.rect().y() + entry.height);
            break;
        }
        case ReportObject::Kind::SubList:
            entry.list = layoutSubList(static_cast<const SubList&>(object), left + object.rect().x());
            m_context.line = line;
            height = std::max(height, object.rect().y() + entry.list.height);
            spill = static_cast<const SubList&>(object).content().printableRect();
            break;
        case ReportObject::Kind::FilledRect:
            if (!static_cast<const FilledRect&>(object).fillCondition().holds(line))
                continue;
            break;
        case ReportObject::Kind::Picture:
            if (static_cast<const Picture&>(object).image().isNull())
                continue;
            break;
        case ReportObject::Kind::Rule:
            break;
        }
        laid.push_back(std::move(entry));
    }

    Piece piece;
    piece.height = height;
    if (spill) {
        piece.spillTop = spill->top();
        piece.spillBottom = spill->bottom();
    }
    piece.items.reserve(qsizetype(laid.size()));
    for (Laid& entry : laid) {
        const ReportObject& object = *entry.object;
        const double top = object.rect().y();
        const double h = object.stretchesToBand() ? std::max(0.0, height - top) : entry.height;
        PreparedItem item = itemFor(object, left, top, h);
        switch (object.kind()) {
        case ReportObject::Kind::Text: {
            const auto& box = static_cast<const TextBox&>(object);
            item.kind = PreparedItem::Kind::Text;
            item.font = entry.font;
            item.ascent = entry.text.ascent;
            item.lineHeight = entry.text.lineSpacing;
            item.lines = TextLayout::place(entry.text, TextLayout::shownLines(entry.text, h, entry.grows), item.rect.size(),
                                           box.alignment());
            break;
        }
        case ReportObject::Kind::Rule: {
            const auto& rule = static_cast<const Rule&>(object);
            item.kind = PreparedItem::Kind::Line;
            item.rect.setHeight(0);
            item.color = rule.color();
            item.lineStyle = rule.style();
            item.penWidth = rule.penWidth();
            break;
        }
        case ReportObject::Kind::FilledRect:
            item.kind = PreparedItem::Kind::Rect;
            item.color = static_cast<const FilledRect&>(object).fillColor();
            break;
        case ReportObject::Kind::Picture: {
            const QImage& image = static_cast<const Picture&>(object).image();
            item.kind = PreparedItem::Kind::Picture;
            item.image = image;
            item.rect.setSize(Picture::fitted(image.size(), item.rect.size()).size());
            break;
        }
        case ReportObject::Kind::SubList:
            for (PreparedItem& row : entry.list.items) {
                row.rect.translate(0, top);
                piece.items.push_back(std::move(row));
            }
            continue;
        }
        piece.items.push_back(std::move(item));
    }
    return piece;
}

Preparer::Piece Preparer::layoutSubList(const SubList& list, double left)
{
    Piece rows;
    for (const auto& band : list.content().bands()) {
        if (band->kind() != BandKind::MasterData)
            continue;
        DataSource* source = band->dataSet().isEmpty() ? nullptr : m_definition.dataSource(band->dataSet());
        if (source)
            source->first();
        for (int line = 1; source ? !source->eof() : line == 1; ++line) {
            Piece row = layoutBand(*band, left, line);
            for (PreparedItem& item : row.items) {
                item.rect.translate(0, rows.height);
                rows.items.push_back(std::move(item));
            }
            rows.height += row.height;
            afterPrint(*band);
            if (source)
                source->next();
        }
    }
    return rows;
}

void Preparer::append(const Piece& piece)
{
    QList<PreparedItem>& items = m_report.pages.back().items;
    for (PreparedItem item : piece.items) {
        item.rect.translate(0, m_y);
        items.push_back(std::move(item));
    }
    m_y += piece.height;
}

void Preparer::place(Piece piece)
{
    bool continued = false; // the piece's rest, on a sheet of its own
    for (;;) {
        const double bottom = continued ? std::min(m_bottom, piece.spillBottom) : m_bottom;
        const double available = bottom - m_y;
        if (piece.height <= available + kTolerance) {
            append(piece);
            return;
        }
        if (m_y > m_bodyTop + kTolerance) {
            newSheet(false);
            continue;
        }
        if (available <= kTolerance) { // the headers fill the sheet: nothing would ever fit
            append(piece);
            return;
        }
        // Taller than a whole sheet: what fits stays here, the rest goes on.
        const double cut = findCut(piece, available);
        append(split(piece, cut));
        newSheet(false);
        continued = true;
        m_y = m_bodyTop = std::max(m_y, piece.spillTop);
    }
}

double Preparer::findCut(const Piece& piece, double available) const
{
    // Move the cut up to the top of any text line it would run through.
    double cut = available;
    for (bool moved = true; moved && cut > kTolerance;) {
        moved = false;
        for (const PreparedItem& item : piece.items) {
            if (item.kind != PreparedItem::Kind::Text || item.rect.top() >= cut)
                continue;
            for (const TextLine& line : item.lines) {
                const double top = item.rect.top() + line.origin.y() - item.ascent;
                if (top < cut - kTolerance && top + item.lineHeight > cut + kTolerance) {
                    cut = top;
                    moved = true;
                }
            }
        }
    }
    return cut > kTolerance ? cut : available;
}

Preparer::Piece Preparer::split(Piece& piece, double cut)
{
    Piece head;
    head.height = cut;
    Piece tail;
    tail.height = piece.height - cut;
    tail.spillTop = piece.spillTop;
    tail.spillBottom = piece.spillBottom;
    for (PreparedItem& item : piece.items) {
        if (item.rect.top() >= cut - kTolerance && !(item.kind == PreparedItem::Kind::Line && item.rect.top() < cut)) {
            item.rect.translate(0, -cut);
            tail.items.push_back(std::move(item));
            continue;
        }
        if (item.rect.bottom() <= cut + kTolerance) {
            head.items.push_back(std::move(item));
            continue;
        }
        PreparedItem rest = item;
        const double shift = cut - item.rect.top();
        item.rect.setBottom(cut);
        rest.rect = QRectF(item.rect.left(), 0, item.rect.width(), rest.rect.bottom() - cut);
        if (item.kind == PreparedItem::Kind::Text) {
            rest.lines.clear();
            QList<TextLine> kept;
            for (TextLine line : item.lines) {
                if (line.origin.y() - item.ascent < shift - kTolerance) {
                    kept.push_back(line);
                } else {
                    line.origin.ry() -= shift;
                    rest.lines.push_back(line);
                }
            }
            item.lines = kept;
        }
        head.items.push_back(std::move(item));
        if (rest.kind != PreparedItem::Kind::Text || !rest.lines.isEmpty())
            tail.items.push_back(std::move(rest));
    }
    piece = std::move(tail);
    return head;
}

} // namespace report
