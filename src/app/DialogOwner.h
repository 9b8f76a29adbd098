#pragma once
#include <QWidget>

// A dialog that edits something for its owner window disables the owner while it is shown.
// The dialog is a window of its own, so it stays usable while its owner is disabled.
inline void disableOwnerWhileShown(QWidget *owner, QWidget *dialog)
{
    if (owner == nullptr)
        return;
    owner->setEnabled(false);
    dialog->setEnabled(true);
}
