#pragma once
// A label drawn like a link (blue, underlined, pointing hand) that tells when
// it is clicked and can be marked as visited (purple). What a click opens is
// the owner's business.

#include <QLabel>

namespace controls {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& caption, QWidget* parent = nullptr);

    // Purple from now on.
    void setVisited();
    bool visited() const { return m_visited; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_visited = false;
};

// The colours of links: blue before, purple after a visit.
QColor linkColor();
QColor visitedLinkColor();
// Sets the colour a label's text is drawn in.
void setTextColor(QWidget* widget, const QColor& color);

} // namespace controls
