#pragma once
// Answers the program's message boxes in a test: every box that appears is recorded with its
// text and closed with OK, so a handler that shows one runs on to its end. A box that asks a
// question with the given button gets that button pressed.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

class MessageCatcher {
public:
    explicit MessageCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : answer_(answer)
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeBoxes(); });
        timer_.start();
    }

    const QStringList &texts() const { return texts_; }
    void clear() { texts_.clear(); }

private:
    void closeBoxes()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box != nullptr && box->isVisible()) {
                texts_.append(box->text());
                if (QAbstractButton *button = box->button(answer_))
                    button->click();
                else
                    box->done(QMessageBox::Ok);
            }
        }
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QStringList texts_;
};
