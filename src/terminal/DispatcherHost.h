#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

/// What the request dispatcher asks of the main window: its game state, the refresh of
/// its table status and play grid, the game-data timer, the section choice, the "Start
/// New Movement" button and the forced-start menu item. The main window implements it;
/// tests use a fake.
class DispatcherHost {
public:
    virtual ~DispatcherHost() = default;

    /// Whether the main window is loaded; the refreshes after a reply go to it only then.
    virtual bool isDesktopLoaded() const = 0;
    /// Recolours the table status of the selected section.
    virtual void RefreshTableStatus() = 0;
    /// The play grid's refresh tokens, each "[" round "]", worked off by its refresh timer.
    virtual QString gridPlayTag() const = 0;
    virtual void setGridPlayTag(const QString& tag) = 0;
    /// The section ID of the entry selected in cboSection; nothing when none is selected.
    virtual std::optional<qint16> selectedSectionId() const = 0;
    /// Shows a notice to the director without waiting for an answer: the program goes on.
    virtual void showNotice(const QString& caption, const QString& text) = 0;
    /// Lets pending window events run (between the pieces of a reply).
    virtual void letEventsRun() = 0;
};

} // namespace qzc
