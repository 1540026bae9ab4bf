#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qzc {

class MessageBox;

/// Asks for the boards per round and the total number of boards when the game is started
/// on an event without a movement. OK writes both counts (0 for an empty box) unless the
/// total is not a multiple of the boards per round; Quit and the close box leave them.
/// The dialog is only hidden, so its boxes keep their text for the next showing.
class frmMovement final : public QDialog {
    Q_OBJECT
public:
    static constexpr qint16 helpTopic = 10;
    static inline const QString multipleMessage =
        QStringLiteral("Total number of boards must be a multiple of boards per round.");

    /// boardsPerRound and totalBoards are the event's counts; they must outlive the dialog.
    frmMovement(qint16& boardsPerRound, qint16& totalBoards, MessageBox& messages, QWidget* parent = nullptr);

    void cmdButton_Click(int index);
    void txtBoardRound_Change();
    void txtTotalBoard_Change();

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtBoardRound = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtTotalBoard = nullptr;
    std::array<QPushButton*, 2> cmdButton{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    qint16& boardsPerRound_;
    qint16& totalBoards_;
    MessageBox& messages_;
};

} // namespace qzc
