#pragma once
// A check box whose caption wraps over as many lines as its width needs;
// QCheckBox itself draws its caption on one line.

#include <QCheckBox>

class WrappedCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool wordWrap READ wordWrap CONSTANT)
public:
    explicit WrappedCheckBox(const QString& caption, QWidget* parent = nullptr);
    bool wordWrap() const { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
