#pragma once

#include <QString>
#include <array>

namespace qzc {

/// A check box (ticked) or an option button (selected), and whether it can be changed.
struct ControlState {
    bool value = false;
    bool enabled = true;
};

/// The state of the game settings dialog's controls, named and indexed as the controls
/// (arrays by their control index; unused indices stay as they are). The window shows it
/// and reports the director's changes into it; the rules of GameSettingsEditor keep it
/// consistent.
struct SettingsControls {
    std::array<ControlState, 2> chkMovement; // index 1 only: "Show go to info"
    ControlState chkGameType;
    std::array<ControlState, 7> chkAsk;
    std::array<ControlState, 3> optInput;
    std::array<ControlState, 3> optScoring; // 0 "IMP", 2 "MP"
    ControlState chkAcrossField;
    ControlState chkFeedback;
    std::array<ControlState, 3> optFeedback;
    ControlState chkIncludeDeal;
    ControlState chkIncludeMakable;
    std::array<ControlState, 2> optMakableFormat;
    ControlState chkRanking;
    ControlState chkRankingTop10;
    ControlState chkRecap;
    ControlState chkShowNames;
    ControlState chkRoundSummary;
    ControlState chkChangeResult;
    ControlState chkAutoWebPublish;
    ControlState chkPointtoDeclarer;
    ControlState chkRotatedirection;
    ControlState chkShowBoardMatrix;
    ControlState chkOverrideDefault;
    bool chkOverrideDefaultVisible = false;
    QString txtTDPIN;
    QString caption;
};

} // namespace qzc
