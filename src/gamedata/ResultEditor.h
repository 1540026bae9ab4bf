#pragma once

#include "core/ResultEntry.h"
#include "gamedata/ResultCorrection.h"
#include "scoring/ResultDescription.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace qzc {

class DesktopHost;
class GameData;
class GameSettings;
class Log;
class MessageBox;

/// One ruling the director can give instead of a result: its caption and the remark it
/// is stored as.
struct RulingOption {
    const char* caption;
    const char* stored;
};

/// The rulings in the order of the dialog's options: the adjusted scores as percentages
/// (North-South / East-West) and in letters (A+ 60 %, A 50 %, A- 40 %), not played, and
/// annul, which stores nothing.
inline constexpr std::array<RulingOption, 20> rulingOptions{
    {{"60 / 60", "60%-60%"}, {"A+ / A+", "A+ / A+"}, {"50 / 50", "50%-50%"}, {"A / A", "A / A"},
     {"40 / 40", "40%-40%"}, {"A- / A-", "A- / A-"}, {"60 / 50", "60%-50%"}, {"A+ / A", "A+ / A"},
     {"50 / 60", "50%-60%"}, {"A / A+", "A / A+"},   {"60 / 40", "60%-40%"}, {"A+ / A-", "A+ / A-"},
     {"40 / 60", "40%-60%"}, {"A- / A+", "A- / A+"}, {"50 / 40", "50%-40%"}, {"A / A-", "A / A-"},
     {"40 / 50", "40%-50%"}, {"A- / A", "A- / A"},   {"Not played", "NP"},   {"Annul", ""}}};

/// The cells of the traveller row that the director picked: NS, EW, table, South, West.
struct TravellerPick {
    QString ns;
    QString ew;
    QString tableId;
    QString south;
    QString west;
};

/// The result edit dialog without its window: one stored board result, changed through
/// the contract boxes or replaced by a ruling (an adjusted score, not played, annul or a
/// free remark), and saved through the result correction. The window shows the state below
/// and hands every click to it.
class ResultEditor {
public:
    enum class Panel { Contract, Ruling };
    enum class SaveOutcome {
        /// The director answered No, or the store refused the result: the dialog stays.
        StayOpen,
        /// Nothing to save (an empty ruling panel): the dialog closes.
        Close,
        /// The result was stored: the traveller and the grid show it, the dialog closes.
        Stored,
        /// A table stored another result since it was described: nothing was stored, the
        /// director was told, and the editor describes the stored result afresh.
        Outdated,
    };

    static constexpr int annulOption = 19;
    static constexpr qint16 contractHelpTopic = 22;
    static constexpr qint16 remarkHelpTopic = 23;
    static constexpr qint16 annulHelpTopic = 24;
    static constexpr qint16 rulingHelpTopic = 25;

    struct Services {
        GameData& gameData;
        const GameSettings& settings;
        Log& log;
        MessageBox& messages;
        /// Its grid shows the stored result's round.
        DesktopHost& desktop;
    };

    explicit ResultEditor(const Services& services);

    Log& log() const { return log_; }

    /// Prepares the editor for the picked row of the board's traveller: its seat, round
    /// and stored result, the description, and the contract boxes or, for a stored remark,
    /// the ruling panel. False when the row names no board or no pairs.
    bool describeResult(qint16 board, const TravellerPick& pick);

    /// The board, table, round and sitting of the result (set by describeResult).
    ResultSeat seat;
    /// Four lines that say which result is changed.
    QString description;

    // The controls.
    QString contract;
    QString declarer;
    QString made;
    QString lead;
    /// The ruling option chosen, -1 for none.
    int ruling = -1;
    /// The free remark is ticked (the options are then disabled).
    bool freeRemark = false;
    QString remark;

    Panel panel() const { return panel_; }
    /// The window's caption.
    const QString& caption() const { return caption_; }
    /// The help topic of the Help button and F1.
    qint16 helpTopic() const { return helpTopic_; }
    /// The panel switch's caption.
    QString rulingButtonCaption() const;

    /// Switches between the contract panel and the ruling panel.
    void cmdRuling_Click();
    /// Shows a stored ruling: the option it matches, else the free remark holding it.
    void showRuling(const QString& text);
    /// The ruling chosen: the free remark, or the chosen option's text (empty for annul,
    /// which sets annul, or for none). option is true unless the free remark is ticked.
    QString loadRuling(bool& annul, bool& option) const;

    /// Save: asks what must be asked and stores the entry.
    SaveOutcome save();

private:
    bool isIndividualGame() const;
    /// Reads the seat's stored result into the description and the controls.
    void describeStored();

    GameData& gameData_;
    const GameSettings& settings_;
    Log& log_;
    MessageBox& messages_;
    ResultCorrection correction_;
    /// The stored result as last described; a save over any other is refused.
    ResultEntry described_;
    Panel panel_ = Panel::Contract;
    QString caption_ = QStringLiteral("Change result?");
    qint16 helpTopic_ = contractHelpTopic;
};

} // namespace qzc
