#pragma once
// Small pieces the six printed layouts share: their fonts, a text box placed
// in millimetres, the title block of the five list reports and the commands
// every preview offers.

#include "reportengine/band.h"
#include "reportengine/definition.h"
#include "reportengine/page.h"
#include "store/tconsultorio.h"

namespace reports {

// Nothing prints where a printer cannot reach: the rows of a sheet end this
// far above its bottom edge (room for a page number below them), and every
// sheet after the first begins this far below its top edge, where the title
// of the first begins.
constexpr double kSheetBottomMargin = 14.00;
constexpr double kContinuationTop = 14.00;
// The smallest size a value the user wrote is printed at to fit its box.
constexpr double kSmallestValuePoints = 7.00;

report::TextFont arial(double points, bool bold = false);
report::TextFont verdana(double points, bool bold = false);
// Courier New in navy blue: the notes the therapist wrote.
report::TextFont courierNavy(double points);

// The expression that prints a column: [frxFicha."NOME"].
QString columnOf(const char* dataSet, const char* column);

// A one-line text box (left, top, width, height in mm).
report::TextBox& addText(report::Band& band, const QString& name, const QRectF& mm, const QString& text,
                         const report::TextFont& font);
// A text written by the program (MemoID, MemoNome): never read as expressions.
report::TextBox& addPlainText(report::Band& band, const QString& name, const QRectF& mm, const QString& text,
                              const report::TextFont& font);

// A text the user wrote: it grows until the whole text shows, and its box
// reaches the full height of its row.
report::TextBox& growing(report::TextBox& box);
// A shading box as high as its row, from a top inside the row.
report::FilledRect& addShading(report::Band& band, const QString& name, const QRectF& mm, const QColor& fill);

// An A4 portrait page whose bands begin at the top edge of the first sheet,
// and a little lower on the next ones.
report::Page& addSheet(report::Definition& definition, const QString& name);

// The practice's heading at the top of every sheet, across the given width:
// its logo, name, address, telephone and registration above a rule. It stays
// hidden until applyPracticeHeading finds the practice's data.
report::Band& addPracticeHeading(report::Page& page, double left, double width);
void applyPracticeHeading(report::Definition& definition, const TConsultorio& practice);

// The title block of a list report (41 mm): the title in Verdana 32 centred
// in its box at top 14, then "Paciente", MemoID and MemoNome in bold at top 33.
report::Band& addListTitle(report::Page& page, const QString& title, double left, double width);

// The start of a list report: the records it lists bound under the given
// name, the preview's commands, an A4 sheet "Page1" and the title block.
report::Page& startList(report::Definition& definition, const QString& dataSetName, ds::DataSet& records,
                        const QString& title, double titleLeft, double titleWidth);

// One column title of a list (left and width in mm).
struct ColumnTitle {
    double left;
    double width;
    QString text;
};
// The column titles of a list in Arial, named Memo3, Memo4, ... from left to
// right, one line high, with a rule under them from ruleLeft.
report::Band& addColumnTitles(report::Page& page, report::BandKind kind, const QString& name,
                              const QList<ColumnTitle>& titles, double points, double ruleLeft, double ruleTop,
                              double ruleWidth);

// The band printed once a record of the list ("MasterData1").
report::Band& addRecordRows(report::Page& page, const QString& dataSetName, double height);

// Shades odd rows of the list light grey, as high as the row.
void shadeOddRows(report::Band& rows, double height);

// The commands of every report's preview.
constexpr report::PreviewButtons kPreviewCommands = report::kAllPreviewButtons;

} // namespace reports
