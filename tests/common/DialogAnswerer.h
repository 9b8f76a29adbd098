#pragma once
// Answers a modal dialog of the program the way a user would: once a visible window of type T
// appears, the answer runs on it (fill in its fields, press its button). One answer per call.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

template <typename T> class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(T *)> answer)
        : answer_(std::move(answer))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }
    bool answered() const { return answered_; }

private:
    void look()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<T *>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                timer_.stop();
                answered_ = true;
                answer_(dialog);
                return;
            }
        }
    }

    std::function<void(T *)> answer_;
    QTimer timer_;
    bool answered_ = false;
};
