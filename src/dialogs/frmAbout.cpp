#include "dialogs/frmAbout.h"

#include "core/Config.h"
#include "core/Log.h"
#include "dialogs/HelpButton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace qzc {

frmAbout::frmAbout(const Services& services, QWidget* parent)
    : ProgramDialog(HelpKey::Down, parent), help_(services.help), config_(services.config),
      report_(services.db, services.log, services.event, services.messages) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + Config::appTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imageLogo"));
    logo->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48));
    lblTitle = new QLabel(getVersionText(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    const std::array<QString, 3> notices = {
        QStringLiteral("Electronic scoring of duplicate bridge with tabletop terminals"),
        Config::appTitle + QStringLiteral(" drives the base station and answers every tabletop of the event"),
        QStringLiteral("Copyright the QZC developers. All rights reserved.")};
    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    for (std::size_t i = 0; i < labCopyright.size(); ++i) {
        labCopyright[i] = new QLabel(notices[i], this);
        labCopyright[i]->setObjectName(QStringLiteral("labCopyright_%1").arg(i));
        text->addWidget(labCopyright[i]);
    }
    // The label shows the address without its scheme; a click opens it.
    labWebsite = new QLabel(QUrl(websiteAddress).host(), this);
    labWebsite->setObjectName(QStringLiteral("labWebsite"));
    QPalette palette = labWebsite->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    labWebsite->setPalette(palette);
    labWebsite->setCursor(Qt::PointingHandCursor);
    labWebsite->installEventFilter(this);
    text->addWidget(labWebsite);

    cmdReport = new QPushButton(QStringLiteral("Report problem"), this);
    cmdReport->setObjectName(QStringLiteral("cmdReport"));
    cmdOK = new QPushButton(QStringLiteral("Close"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdHelp = makeHelpButton(this, helpTopic);
    connect(cmdReport, &QPushButton::clicked, this, &frmAbout::cmdReport_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAbout::cmdHelp_Click);

    auto* body = new QHBoxLayout;
    body->addWidget(logo, 0, Qt::AlignTop);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReport);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

void frmAbout::cmdReport_Click() {
    report_.cmdReport_Click(config_.desktopFolder);
}

void frmAbout::labWebsite_Click() {
    openHelpTopic(help_, 0, websiteAddress);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == labWebsite && event->type() == QEvent::MouseButtonRelease) {
        labWebsite_Click();
        return true;
    }
    return ProgramDialog::eventFilter(watched, event);
}

} // namespace qzc
