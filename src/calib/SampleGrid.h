#pragma once
// The sample grid SG1 of the wizard's "Dane" tab: shows a SampleTable and lets the user
// delete a sample, open cells for typing (the text stays in the grid only) and refresh.
//
// Rows are counted as the user sees them: row 0 is the fixed header ("Id", "X", "Uwz",
// "Ucal", "Uend"), row i shows sample i. The grid has kRows rows including the header, so
// samples above kRows - 1 are kept in the table but not shown.
#include <QFlags>
#include <QTableWidget>

class QMenu;
class QAction;
class SampleTable;

class SampleGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 500;

    // The editing options of the grid; Editing lets cells be typed into only without
    // RowSelect.
    enum Option {
        GridLines = 0x01,
        ColSizing = 0x02,
        Editing = 0x04,
        Tabs = 0x08,
        RowSelect = 0x10,
        RangeSelect = 0x20,
    };
    Q_DECLARE_FLAGS(Options, Option)
    // At create and whenever the focus leaves the grid.
    static constexpr Options kNormal {GridLines, ColSizing, Editing, Tabs, RowSelect};
    // After "Edytuj": cells can be typed into.
    static constexpr Options kEditing {GridLines, RangeSelect, Editing};
    // After a click on another row than the one opened for editing.
    static constexpr Options kRowSelection {GridLines, Editing, RowSelect};

    SampleGrid(SampleTable &table, QWidget *parent = nullptr);

    // Text of grid cell (column, row), the header in row 0.
    QString Cell(int column, int row) const;
    Options options() const { return options_; }
    void setOptions(Options options);
    // The first row of the selection (the current row when nothing is selected), 0 when the
    // grid has no current cell.
    int SelectionTop() const;

    // Writes every sample's row; rows of no sample are left as they are.
    void WyswietlTablice();
    // Empties the cells of every sample row (the table's reset).
    void ClearRows();

    // Popup menu "Usuń": deletes the sample of the selection's top row, "No way!" below the
    // last sample.
    void Usu1Click();
    // Popup menu "Edytuj": opens the cells for typing, "No way!" below the last sample.
    void Edytuj1Click();
    // Popup menu "Odświerz": shows the table again and reports the count.
    void Odwierz1Click();
    // A click in the grid, at the pointer position last seen in the grid: leaves the editing
    // state when the row differs from the one opened for editing.
    void SG1Click();
    // The focus left the grid for another control of its window.
    void SG1Exit();

    bool Edycja = false;
    int WierszEdycji = 0;
    int KliknietyWiersz = 0;

    QMenu *PopupMenu1 = nullptr;
    QAction *Usu1 = nullptr, *Edytuj1 = nullptr, *N1 = nullptr, *Odwierz1 = nullptr;

signals:
    // The number of samples changed or was shown again (kWizardIloscProbekLabel).
    void IloscProbekChanged(int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setRowText(int row, int column, const QString &text);
    void focusMoved(QWidget *old, QWidget *now);

    SampleTable &table_;
    Options options_;
    QPoint pointer_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SampleGrid::Options)
