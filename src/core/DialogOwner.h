#pragma once
// Helpers for the program's dialog windows.
class QWidget;

// A dialog that edits something for its owner window disables the owner from this call until
// the dialog next hides or is destroyed, so that the owner comes back however the dialog ends:
// its own buttons, Escape (which hides a dialog without a close event), the close box, or the
// dialog destroyed while open. The dialog is a window of its own, so it stays usable while its
// owner is disabled.
void disableOwnerWhileShown(QWidget *owner, QWidget *dialog);
