#pragma once
// A dialog that edits something for its owner window disables the owner while it is shown, and
// the owner is enabled again however the dialog ends: its own buttons, Escape (which hides a
// dialog without a close event), the close box, or the dialog destroyed while open. The dialog
// is a window of its own, so it stays usable while its owner is disabled.
class QWidget;

// Disables the owner until the dialog next hides or is destroyed.
void disableOwnerWhileShown(QWidget *owner, QWidget *dialog);
