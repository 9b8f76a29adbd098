#pragma once
// The printouts' fields are free text of any length. Qt's line edits cut a text at 32767
// characters by default, an emoji's pair of halves in two at that point too; these make them
// take a text whole, however long.
#include <QStyledItemDelegate>

class QLineEdit;

void TakeAnyLength(QLineEdit *edit);

// Edits a grid's cells with line edits that take a text whole, however long.
class FreeTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
};
