#pragma once

#include "core/StanzaState.h"
#include "gamedata/GameDataTypes.h"
#include "reports/PlayGridData.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

/// What the play grid asks of the main window that holds it, among the windows (what the
/// engine asks of the main window is DesktopHost): the section and view choosers, the
/// result pop-up, the stanza state for the next-stanza controls, the pair box, the grid
/// notice and the view label. The main window implements it; tests use a fake.
class PlayGridHost {
public:
    virtual ~PlayGridHost() = default;

    /// The entry chosen in cboSection (trimmed letters and section ID); nothing when none.
    virtual std::optional<SectionListEntry> selectedSection() const = 0;
    /// The entry chosen in cboView; nothing when none.
    virtual std::optional<GridView> selectedView() const = 0;
    /// Refills cboSection (letters as text, section ID as item data) and selects its first
    /// entry, which runs the grid's cboSection_Click.
    virtual void fillSectionChoice(const QList<SectionListEntry>& sections) = 0;

    /// Hides the result pop-up unless an edit is open in it.
    virtual void Close_PopUp() = 0;

    /// The stanza state of the section shown, for the next-stanza controls (see
    /// GameControl::showStanzaState); source names the grid's step in the log.
    virtual void showStanzaState(StanzaState state, const QString& source) = 0;

    /// Enables or disables mnu_personal_recaps, only while that item is visible.
    virtual void enablePersonalRecaps(bool enabled) = 0;
    /// Enables or disables cmdPickPair.
    virtual void enablePickPair(bool enabled) = 0;
    /// Enables chkEWPair, or unticks and disables it.
    virtual void enableEWPair(bool enabled) = 0;

    /// Shows frameGridMsg with labGridMsg's caption over the grid.
    virtual void showGridMessage(const QString& caption) = 0;
    virtual void hideGridMessage() = 0;
    /// labView's caption: the view the grid shows.
    virtual void setViewCaption(const QString& caption) = 0;
};

} // namespace qzc
