#pragma once

#include "dialogs/ProgramDialog.h"
#include "gamedata/RegisteredPlayersEditor.h"

#include <QPointer>
#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qzc {

class FlexGrid;
class Help;
class PlayerNameCommands;
class frmEditNameDialog;

/// "Player names": the registered players of a round with the seats that have none, or
/// every known name; filtered, searched and sorted, and the door to the change of a
/// player's ID or name. A thin window over a RegisteredPlayersEditor.
class frmEditPlayer final : public ProgramDialog {
    Q_OBJECT
public:
    /// shownSectionId is the section the main window shows, if any: its last round with
    /// results is listed first.
    frmEditPlayer(const RegisteredPlayersEditor::Services& services, PlayerNameCommands& commands, Help* help,
                  std::optional<qint16> shownSectionId, QWidget* parent = nullptr);
    ~frmEditPlayer() override;

    RegisteredPlayersEditor& editor() { return editor_; }
    /// The open edit dialog, while there is one.
    frmEditNameDialog* editDialog() const;

    void chkNSPair_Click(bool ticked);
    void chkEWPair_Click(bool ticked);
    void optSource_Click(int index);
    void scrollRoundNo_Change(int position);
    void txtRoundNo_Change(const QString& text);
    void cmdSearch_Click();
    /// A press on the grid: a heading sorts, a Member ID or Name opens the edit dialog.
    void gridName_MouseDown(int row, int column);
    void labShowAllName_Click();
    /// The registered players were read again (a terminal registered players): the list
    /// catches up.
    void registeredPlayersChanged();
    void cmdPrint_Click();
    /// The Help button and F1 (as the key comes up).
    void cmdHelp_Click() override;

    std::array<QRadioButton*, 2> optSource{};
    QCheckBox* chkNSPair = nullptr;
    QCheckBox* chkEWPair = nullptr;
    QLineEdit* txtRoundNo = nullptr;
    QScrollBar* scrollRoundNo = nullptr;
    std::array<QLineEdit*, 4> textSearch{};
    QPushButton* cmdSearch = nullptr;
    FlexGrid* gridName = nullptr;
    QLabel* labShowAllName = nullptr;
    QLabel* labMax = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    /// Coming back to the list closes an edit dialog opened before, without saving.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load(std::optional<qint16> shownSectionId);
    /// Runs one step of the editor with the search texts typed, then shows its state; what
    /// is thrown beneath is logged as a run-time error of source.
    template <typename Step> void handle(const QString& source, Step&& step);
    void showControls();
    void showList();
    void closeEditDialog();

    RegisteredPlayersEditor editor_;
    PlayerNameCommands& commands_;
    Log& log_;
    Help* help_;
    QPointer<frmEditNameDialog> editDialog_;
    /// The edit dialog opened by a press while this window was not active: the activation
    /// that the press brings arrives after it and leaves that dialog open.
    QPointer<frmEditNameDialog> keptAtActivation_;
    QButtonGroup* optSourceGroup_ = nullptr;
};

} // namespace qzc
