#pragma once

#include <QtGlobal>

namespace qzc {

/// What the game-data analysis asks of the main window. The main window implements it;
/// tests use a fake.
class AnalysisHost {
public:
    virtual ~AnalysisHost() = default;

    /// Refills cboSection from the sections in memory and selects its first entry (which
    /// runs cboSection_Click).
    virtual void InitGrid() = 0;
    /// Entries of cboSection.
    virtual int cboSectionListCount() const = 0;
    /// The selected entry of cboSection; -1 when none is selected.
    virtual int cboSectionListIndex() const = 0;
    /// Selects an entry of cboSection; selecting another entry than the selected one runs
    /// cboSection_Click.
    virtual void setCboSectionListIndex(int index) = 0;
    /// The section ID of an entry of cboSection.
    virtual qint16 cboSectionItemData(int index) const = 0;
    /// Rebuilds the grid for the selected section.
    virtual void cboSection_Click() = 0;

    /// Shows the instructions for starting with the updated movement (frmUFRDialog), not
    /// waiting for it; an instance already shown stays.
    virtual void showUFRDialog() = 0;
};

} // namespace qzc
