#pragma once
// Turns a definition and the rows of its data sets into prepared pages:
// bands in order, data bands once per row, growing bands, page breaks with
// the headers again on every sheet, and a band taller than a sheet carried
// on to the next one between its lines (a sub-list's rows continue within
// the margins of the page it lists).

#include "reportengine/preparedreport.h"
#include "reportengine/script.h"
#include "reportengine/textlayout.h"
#include "reportengine/texttemplate.h"

#include <QHash>
#include <optional>

namespace report {

class Band;
class Definition;
class Page;
class SubList;

class Preparer {
public:
    explicit Preparer(Definition& definition);
    // Throws EError; the objects' visibility is as before, whatever happens.
    PreparedReport run();

private:
    struct Piece {
        QList<PreparedItem> items; // top relative to the piece
        double height = 0;
        // Where the rest of a piece that holds a sub-list goes on the sheets
        // it continues on: within the margins of the listed page.
        double spillTop = 0;
        double spillBottom = 1e9;
    };
    struct CompiledText {
        TextTemplate text;
        TextFont font;
        std::optional<WrappedText> constant;
    };

    void openDataSets();
    void compile();
    void printPage(const Page& page);
    void newSheet(bool first);
    void printDataBand(const Band& band);
    void afterPrint(const Band& band);
    Piece layoutBand(const Band& band, double left, int line);
    Piece layoutSubList(const SubList& list, double left);
    void place(Piece piece);
    void append(const Piece& piece);
    double findCut(const Piece& piece, double available) const;
    static Piece split(Piece& piece, double cut);

    Definition& m_definition;
    QHash<const TextBox*, CompiledText> m_texts;
    Script m_script;
    TemplateContext m_context;
    PreparedReport m_report;
    const Page* m_page = nullptr;
    double m_left = 0;
    double m_top = 0;
    double m_bottom = 0;
    double m_y = 0;
    double m_bodyTop = 0;
};

} // namespace report
