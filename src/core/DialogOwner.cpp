#include "core/DialogOwner.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {
// Lives as a child of the dialog: sees its hide events and dies with it.
class DialogOwnerGuard : public QObject {
    Q_OBJECT
public:
    explicit DialogOwnerGuard(QWidget *dialog)
        : QObject(dialog)
    {
        dialog->installEventFilter(this);
    }
    ~DialogOwnerGuard() override { release(); }

    void hold(QWidget *owner)
    {
        owner_ = owner;
        owner->setEnabled(false);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A hide by the window system (minimising) does not end the dialog.
        if (event->type() == QEvent::Hide && !event->spontaneous())
            release();
        return QObject::eventFilter(watched, event);
    }

private:
    void release()
    {
        if (owner_ != nullptr)
            owner_->setEnabled(true);
        owner_ = nullptr;
    }

    QPointer<QWidget> owner_;
};
} // namespace

void disableOwnerWhileShown(QWidget *owner, QWidget *dialog)
{
    if (owner == nullptr)
        return;
    auto *guard = dialog->findChild<DialogOwnerGuard *>(QString(), Qt::FindDirectChildrenOnly);
    if (guard == nullptr)
        guard = new DialogOwnerGuard(dialog);
    guard->hold(owner);
    dialog->setEnabled(true);
}

#include "DialogOwner.moc"
