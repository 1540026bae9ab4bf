#pragma once

#include "dialogs/ProgramDialog.h"
#include "gamedata/ResultEditor.h"
#include "reports/BoardTraveller.h"

#include <QPointer>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace qzc {

class FlexGrid;
class Help;
class frmEditResultDialog;

/// The board traveller dialog ("Results"): every table that plays one board, across all
/// sections, with its result and matchpoints, and the board's deal. The director steps
/// through the boards with the number box or the scroll bar (its upper arrow raises the
/// board), sorts by a click on a heading, opens the result edit dialog by a double click
/// on a row, and writes the board's traveller file. Modeless; activated again or closed,
/// it closes an open result edit dialog.
class frmDialog final : public ProgramDialog {
    Q_OBJECT
public:
    struct Services {
        BoardTraveller::Services traveller;
        ResultEditor::Services editor;
        Help* help;
        /// The section chosen in the main window, if any.
        std::function<std::optional<qint16>()> selectedSection;
        /// The main window's "Show all deals".
        std::function<void()> showAllDeals;
    };

    frmDialog(const Services& services, QWidget* parent);

    BoardTraveller& traveller() { return traveller_; }
    /// The result edit dialog while it is open.
    frmEditResultDialog* editDialog() const;

    /// Shows the board typed in the number box, held to the range.
    void txtBoardNo_Change();
    void scrollBoardNo_Change();
    /// A click on the heading of column: sorts by it.
    void heading_Click(int column);
    /// A double click on row (from 1): the result edit dialog for it.
    void gridResult_DblClick(int row);
    void cmdPrint_Click();
    void labShowAllDeal_Click();
    void cmdHelp_Click() override;
    /// The board the number box and the scroll bar show.
    qint16 boardShown() const;

    QLabel* Label1 = nullptr;
    QLineEdit* txtBoardNo = nullptr;
    QScrollBar* scrollBoardNo = nullptr;
    QPushButton* cmdPrint = nullptr;
    QLabel* labShowAllDeal = nullptr;
    QPushButton* cmdHelp = nullptr;
    FlexGrid* gridResult = nullptr;
    QPlainTextEdit* textDeal = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void initBoardRange();
    void showBoard(qint16 board);
    void closeEditDialog();
    /// After a stored result: the board again, with the row of that result selected.
    void showStoredResult(const ResultSeat& seat);
    /// The column under x in the heading, from the column widths.
    int headingColumnAt(int x) const;

    Services services_;
    BoardTraveller traveller_;
    QPointer<frmEditResultDialog> editDialog_;
};

} // namespace qzc
