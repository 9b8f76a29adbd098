#include "calib/SampleGrid.h"
#include "calib/SampleMessages.h"
#include "calib/SampleTable.h"
#include "calib/SampleText.h"
#include "core/Messages.h"
#include "core/Named.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

namespace {
constexpr int kColumns = 5;
constexpr int kRowHeight = 15;
constexpr int kWidths[kColumns] = {29, 2, 56, 58, 52};
const char *const kHeaders[kColumns] = {"Id", "X", "Uwz", "Ucal", "Uend"};
} // namespace

SampleGrid::SampleGrid(SampleTable &table, QWidget *parent)
    : QTableWidget(kRows - 1, kColumns, parent)
    , table_(table)
{
    setObjectName(QStringLiteral("SG1"));
    // The header is the grid's fixed row 0; it stays in view while the samples scroll.
    QHeaderView *header = horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setFixedHeight(kRowHeight);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    for (int c = 0; c < kColumns; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(kHeaders[c])));
        setColumnWidth(c, kWidths[c]);
    }
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    viewport()->installEventFilter(this);
    setOptions(kNormal);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Usu1 = named(PopupMenu1->addAction(QString::fromUtf8("Usuń")), "Usu1");
    Edytuj1 = named(PopupMenu1->addAction(QStringLiteral("Edytuj")), "Edytuj1");
    N1 = named(PopupMenu1->addSeparator(), "N1");
    Odwierz1 = named(PopupMenu1->addAction(QString::fromUtf8("Odświerz")), "Odwierz1");
    connect(Usu1, &QAction::triggered, this, &SampleGrid::Usu1Click);
    connect(Edytuj1, &QAction::triggered, this, &SampleGrid::Edytuj1Click);
    connect(Odwierz1, &QAction::triggered, this, &SampleGrid::Odwierz1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { PopupMenu1->popup(viewport()->mapToGlobal(at)); });
    connect(qApp, &QApplication::focusChanged, this, &SampleGrid::focusMoved);
}

QString SampleGrid::Cell(int column, int row) const
{
    if (row == 0) {
        const QTableWidgetItem *h = horizontalHeaderItem(column);
        return h != nullptr ? h->text() : QString();
    }
    const QTableWidgetItem *cell = item(row - 1, column);
    return cell != nullptr ? cell->text() : QString();
}

void SampleGrid::setOptions(Options options)
{
    options_ = options;
    setShowGrid(options.testFlag(GridLines));
    horizontalHeader()->setSectionResizeMode(
        options.testFlag(ColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    setTabKeyNavigation(options.testFlag(Tabs));
    setSelectionBehavior(options.testFlag(RowSelect) ? SelectRows : SelectItems);
    setSelectionMode(options.testFlag(RangeSelect) ? ContiguousSelection : SingleSelection);
    // A whole-row selection keeps the cells from being edited.
    const bool typing = options.testFlag(Editing) && !options.testFlag(RowSelect);
    setEditTriggers(typing
            ? EditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed)
            : NoEditTriggers);
}

int SampleGrid::SelectionTop() const
{
    int top = -1;
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        if (top < 0 || range.topRow() < top)
            top = range.topRow();
    }
    if (top < 0)
        top = currentRow();
    return top + 1;
}

void SampleGrid::setRowText(int row, int column, const QString &text)
{
    if (row < 1 || row >= kRows)
        return;
    QTableWidgetItem *cell = item(row - 1, column);
    if (cell == nullptr)
        setItem(row - 1, column, new QTableWidgetItem(text));
    else if (cell->text() != text)
        cell->setText(text);
}

void SampleGrid::WyswietlTablice()
{
    const int shown = std::min<int>(table_.IloscProbek(), kRows - 1);
    for (int i = 1; i <= shown; ++i) {
        for (int c = 0; c < kColumns; ++c)
            setRowText(i, c, SampleCell(table_.Probki(i), c));
    }
}

void SampleGrid::ClearRows()
{
    for (int r = 1; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            if (item(r - 1, c) != nullptr)
                setRowText(r, c, QString());
        }
    }
}

void SampleGrid::Usu1Click()
{
    const int a = SelectionTop();
    const int n = table_.IloscProbek();
    if (!table_.Delete(a)) {
        ShowMessage(this, NoWayMessage());
        return;
    }
    for (int c = 0; c < kColumns; ++c)
        setRowText(n, c, QString());
    WyswietlTablice();
    emit IloscProbekChanged(table_.IloscProbek());
}

void SampleGrid::Edytuj1Click()
{
    const int a = SelectionTop();
    if (a < 1 || a > table_.IloscProbek()) {
        ShowMessage(this, NoWayMessage());
        return;
    }
    Edycja = true;
    WierszEdycji = KliknietyWiersz;
    setOptions(kEditing);
}

void SampleGrid::Odwierz1Click()
{
    WyswietlTablice();
    emit IloscProbekChanged(table_.IloscProbek());
}

void SampleGrid::SG1Click()
{
    const int row = rowAt(pointer_.y());
    KliknietyWiersz = row < 0 ? -1 : row + 1;
    if (Edycja && KliknietyWiersz != WierszEdycji) {
        Edycja = false;
        setOptions(kRowSelection);
    }
}

void SampleGrid::SG1Exit()
{
    setOptions(kNormal);
}

bool SampleGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport()) {
        if (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonDblClick) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            // A right click only opens the popup menu; the selection it acts on stays.
            if (mouse->button() == Qt::RightButton)
                return true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                pointer_ = mouse->position().toPoint();
                SG1Click();
            }
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

void SampleGrid::focusMoved(QWidget *old, QWidget *now)
{
    // Leaving the grid for another control of the same window; the cell editor and popup
    // menus are not a departure.
    const auto inGrid
        = [this](QWidget *w) { return w != nullptr && (w == this || isAncestorOf(w)); };
    if (!inGrid(old) || now == nullptr || inGrid(now) || now->window() != window())
        return;
    SG1Exit();
}
