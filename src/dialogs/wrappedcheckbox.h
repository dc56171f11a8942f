#pragma once
// A check box whose caption wraps over as many lines as its width needs;
// QCheckBox itself draws its caption on one line.

#include <QCheckBox>

class WrappedCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappedCheckBox(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
