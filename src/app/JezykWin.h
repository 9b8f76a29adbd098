#pragma once
// The language dialog: a list of the two languages; "OK" switches the program's language.
#include <QDialog>

class QGroupBox;
class QListWidget;
class QPushButton;

class TJezyk : public QDialog {
    Q_OBJECT
public:
    explicit TJezyk(QWidget *owner);

    QGroupBox *GroupBox1 = nullptr;
    QListWidget *WybranyJezyk = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Anuluj = nullptr;

signals:
    // The language has been switched; the owner applies it to its captions.
    void languageChosen();

public slots:
    void OKClick();
    void AnulujClick();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FormPaint();

    QWidget *Owner;
};
