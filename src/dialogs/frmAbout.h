#pragma once

#include "core/ProblemReport.h"
#include "dialogs/ProgramDialog.h"

#include <array>

class QLabel;
class QPushButton;

namespace qzc {

class Config;
class Help;

/// The about box: the program's version, the maker's notice lines and web site, and
/// "Report problem", which puts the event's score database and log on the desktop for
/// support.
class frmAbout final : public ProgramDialog {
    Q_OBJECT
public:
    static constexpr qint16 helpTopic = 26;
    /// The maker's web site, opened by a click on its label.
    static inline const QString websiteAddress = QStringLiteral("https://www.qzc-scoring.example");

    struct Services {
        Help* help;
        ScoreDb& db;
        Log& log;
        const EventInfo& event;
        MessageBox& messages;
        /// Its desktop folder receives the problem report.
        const Config& config;
    };

    frmAbout(const Services& services, QWidget* parent);

    void cmdOK_Click();
    /// The Help button and F1.
    void cmdHelp_Click() override;
    void cmdReport_Click();
    void labWebsite_Click();

    QLabel* lblTitle = nullptr;
    std::array<QLabel*, 3> labCopyright{};
    QLabel* labWebsite = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Help* help_;
    const Config& config_;
    ProblemReport report_;
};

} // namespace qzc
