#include "desktop/ResultMenuCommands.h"

#include "core/Guarded.h"
#include "core/NumberText.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmDialog.h"
#include "reports/PersonalRecapFile.h"

namespace qzc {

ResultMenuCommands::ResultMenuCommands(const Services& services, QObject* parent)
    : QObject(parent), services_(services) {}

ResultMenuCommands::~ResultMenuCommands() {
    // The traveller reports to the window's objects: it may not outlive them.
    delete traveller_.data();
}

frmDialog* ResultMenuCommands::boardTraveller() const {
    return traveller_.data();
}

void ResultMenuCommands::mnu_resultperboard_Click() {
    if (traveller_ != nullptr) {
        traveller_->raise();
        traveller_->activateWindow();
        return;
    }
    frmdesktop& window = services_.window;
    const frmDialog::Services dialog{{services_.gameData, services_.db, services_.log, services_.settings,
                                      services_.config, services_.event, services_.shell},
                                     services_.gameData,
                                     services_.settings,
                                     services_.log,
                                     services_.messages,
                                     window,
                                     services_.help,
                                     [&window] { return window.shownSectionId(); },
                                     [&window] {
                                         window.showAllDeals();
                                     }};
    guarded(services_.log, QStringLiteral("mnu_resultperboard"), [&] {
        traveller_ = new frmDialog(dialog, &window);
        traveller_->show();
    });
}

void ResultMenuCommands::mnu_personal_recaps_Click(std::optional<qint16> sectionId, const QString& pairText,
                                                   bool ewEnabled, bool ewTicked) {
    if (!sectionId)
        return;
    qint16 side = PersonalRecapFile::bothSides;
    if (ewEnabled)
        side = ewTicked ? PersonalRecapFile::eastWest : PersonalRecapFile::northSouth;
    guarded(services_.log, QStringLiteral("PersonalRecaps"), [&] {
        PersonalRecapFile(services_.db, services_.log, services_.messages, services_.event, services_.shell)
            .PersonalRecaps(*sectionId, StrToInt(pairText), side);
    });
}

} // namespace qzc
