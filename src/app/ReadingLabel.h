#pragma once
// A label for a reading that changes many times a second (the value and the temperature). It
// draws its text character by character from characters laid out once per font, instead of
// laying out the whole text anew at every paint; for a single line aligned right and centred
// vertically this gives the same picture as QLabel. Anything else is drawn by QLabel.
#include <QHash>
#include <QLabel>
#include <QStaticText>

class ReadingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // A character laid out once for the font, with how far it moves the pen.
    struct Character {
        QStaticText text;
        qreal advance = 0;
    };
    const Character &character(QChar c);

    QHash<QChar, Character> characters_;
};
