#pragma once
// The about box: the product's picture, the program file's version and mail
// links to the author and the developer. It also serves as the splash screen.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class THyperLink;

class TfrmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSobre(QWidget* parent = nullptr);

    // Shown without waiting and without its OK button, painted at once.
    void ShowSplash();
    // Shown modally with its OK button.
    int ShowModal();

    // The version of the running program file, empty when it carries none.
    static QString GetFileVersionText();

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* lblVersao;
    THyperLink* HyperLink1;
    THyperLink* HyperLink2;
    QLabel* Label5;
    QPushButton* Button1;

private:
    void FormCreate();
};
