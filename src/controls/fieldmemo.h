#pragma once
// A multi-line box bound to a memo field. Long notes are not read every time
// the record moves: with automatic display off, the box stays read-only and
// shows the field's label in parentheses until loadMemo() is called (by the
// window's timer, a double click or Enter). Typed text goes into the field
// when the focus leaves and before every post.

#include "controls/fieldbinding.h"

#include <QPlainTextEdit>

namespace controls {

class FieldMemo : public QPlainTextEdit, public FieldBinding {
    Q_OBJECT
public:
    explicit FieldMemo(QWidget* parent = nullptr);


    bool autoDisplay() const { return m_autoDisplay; }
    void setAutoDisplay(bool on);
    bool isLoaded() const { return m_loaded; }
    // Puts the field's whole text into the box, which can then be edited.
    void loadMemo();
    bool typed() const { return m_typed; }
    // Writes the typed text into the field; throws what the field refuses.
    void updateRecord();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void dataChanged();
    void updateReadOnly();
    void showText(const QString& text);

    bool m_autoDisplay = true;
    bool m_loaded = false;
    bool m_typed = false;
    bool m_showing = false;
};

} // namespace controls
