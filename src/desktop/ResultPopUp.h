#pragma once

#include "reports/PopUpResults.h"

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qzc {

class Config;
class DesktopHost;
class GameData;
class GameSettings;
class Help;
class Log;
class MessageBox;

/// The result pop-up framePopUp of the main window, over the play grid: the results of one
/// table and round, a line per board, and the deal of the board whose line was clicked
/// last. A click on a line opens an edit box over it; leaving the box saves what was typed
/// once the director confirms it (Enter leaves it, Esc puts the line's result back).
class ResultPopUp final : public QFrame {
    Q_OBJECT
public:
    struct Services {
        GameData& gameData;
        const GameSettings& settings;
        Log& log;
        MessageBox& messages;
        DesktopHost& desktop;
        const Config& config;
        Help* help;
    };

    ResultPopUp(const Services& services, QWidget* parent);

    /// Shows the results of the table and round (boardList ended by ","), placed by the
    /// pointer's position in the grid whose geometry is grid.
    void ShowCellDetails(const QString& letters, qint16 table, qint16 round, const QString& boardList,
                         const QPoint& position, const QRect& grid);
    /// Hides the pop-up unless an edit box is open.
    void Close_PopUp();
    /// The deal links read "Deals n/a" without the all-deal file; the pop-up is sized for
    /// the deal or without it.
    void showDealLinks(bool dealFile);

    void labResultLine_Click(int index);
    void textContract_LostFocus(int index);
    /// True while an edit box is shown.
    bool isEditing() const;

    // Controls, named as in the window's design; line i (from 1) is at index i - 1.
    QLabel* labResultTitle = nullptr;
    QLabel* labTableNo = nullptr;
    QLabel* labRoundNo = nullptr;
    QLabel* Label4 = nullptr;
    std::vector<QLabel*> labResultLine;
    std::vector<QLineEdit*> textContract;
    QLineEdit* txtResultPage = nullptr;
    QPlainTextEdit* textDeal = nullptr;
    QLabel* labShowAllDeal = nullptr;
    QLabel* labShowAllDeal2 = nullptr;
    QPushButton* cmdHelpResult = nullptr;

Q_SIGNALS:
    /// A "Show all deals" link was clicked.
    void showAllDealsClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// A click on the pop-up stays in it (the window closes the pop-up on any other click).
    void mousePressEvent(QMouseEvent* event) override;

private:
    void clearLines();
    void addLine(const PopUpLine& line);
    void showLine(int index);
    void place(const QPoint& position, const QRect& grid);
    int twips(int value) const;

    PopUpResults results_;
    MessageBox& messages_;
    Log& log_;
    const Config& config_;
    Help* help_;
    QGridLayout* linesLayout_ = nullptr;
    QString tableId_;
    qint16 round_ = 0;
    std::vector<PopUpLine> lines_;
    /// A save is asking or storing: a focus change meanwhile starts no second one.
    bool saving_ = false;
};

} // namespace qzc
