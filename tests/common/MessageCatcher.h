#pragma once
// Answers the program's message boxes in a test: every box that appears is recorded with its
// text and closed with OK, so a handler that shows one runs on to its end.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

class MessageCatcher {
public:
    MessageCatcher()
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
                box->done(QMessageBox::Ok);
            }
        }
    }

    QTimer timer_;
    QStringList texts_;
};
