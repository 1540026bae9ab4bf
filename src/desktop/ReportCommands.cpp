#include "desktop/ReportCommands.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "desktop/frmdesktop.h"
#include "platform/BusyPointer.h"
#include "platform/ProgramLauncher.h"
#include "reports/CompanionPrograms.h"
#include "reports/DealFile.h"
#include "reports/EventPublisher.h"
#include "reports/LoggedResults.h"
#include "reports/TravellerFile.h"
#include "scoring/ScoreFrequency.h"
#include "terminal/LinkSettings.h"
#include "widgets/WindowPlacement.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr qint16 kOkWarning = 49;
constexpr qint16 kExclamationYesNo = 52;
constexpr qint16 kHelpTopic = 8;

bool showPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    keepFrameOnScreen(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

ReportCommands::ReportCommands(const Services& services, frmdesktop& window)
    : choosePrinter(showPrintDialog), s_(services), window_(window) {
    setObjectName(QStringLiteral("ReportCommands"));
}

void ReportCommands::tell(const QString& text) {
    s_.messages.showMsg(text, QString(), kOkWarning, kHelpTopic);
}

void ReportCommands::mnu_printscreen_Click() {
    QPrinter printer(QPrinter::HighResolution);
    // Without a printer the window goes to a PDF file beside the event.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(s_.event.scoreDbFolder + s_.event.eventFileName +
                                  QStringLiteral("_window.pdf"));
    }
    if (!choosePrinter || !choosePrinter(printer, &window_))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        tell(QStringLiteral("The main window could not be printed to ") +
             (printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()) +
             QLatin1Char('.'));
        return;
    }
    // The whole window on one page, its proportions kept.
    const QRect page = painter.viewport();
    QSize size = window_.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(window_.rect());
    window_.render(&painter);
    painter.end();
}

void ReportCommands::mnu_handprint_Click() {
    const ProgramStart start = s_.publisher.handRecords();
    if (!start.started)
        tell(start.message.isEmpty() ? QStringLiteral("The hand-record program is not known.")
                                     : start.message);
}

void ReportCommands::mnu_printresults_Click() {
    ScoreFrequency frequencies(s_.db, s_.log, s_.settings);
    TravellerFile file(s_.gameData, s_.db, s_.log, frequencies, s_.event, s_.shell);
    if (file.makeResultFile(5, 0, 0, s_.config.boardResultSorting).isEmpty())
        tell(QStringLiteral("No temporary results to show: no result is stored yet, or the file could not be "
                            "written (the log tells which)."));
}

void ReportCommands::mnu_exportdeal_Click() {
    const std::optional<SectionListEntry> section = window_.selectedSection();
    if (!section) {
        tell(QStringLiteral("Please choose the section whose deals are to be exported."));
        return;
    }
    const QString path = s_.event.scoreDbFolder + s_.event.eventFileName + QStringLiteral("#1.brk");
    if (QFileInfo::exists(path)) {
        MessageBox::Request question;
        question.text =
            QStringLiteral("The file, ") + path + QStringLiteral(", is found. Do you want to overwrite it?");
        question.style = kExclamationYesNo;
        question.secondButton = true;
        if (!s_.messages.showMsg(question))
            return;
    }
    const DealFileOutcome deals =
        DealFile(s_.db, s_.log, s_.event).Brannocke_CreateDealFile(section->sectionId, path);
    if (!deals.message.isEmpty())
        tell(deals.message);
    if (!deals.written || s_.messages.programEnded())
        return;
    // The companion program reads the event too; it opens the deals all the same.
    const ResultFileOutcome results = s_.publisher.makeresultFile_v1();
    if (!results.written())
        s_.log.writeLog(0, QStringLiteral("No event result file for Kestrow: ") + results.reason);

    const QString kestrow = s_.event.kestrowProgram;
    if (!QFileInfo(kestrow).isFile()) {
        tell(QStringLiteral("The deals are exported to") + kCrLf + path + kCrLf +
             QStringLiteral("Kestrow, which opens them, is not found:") + kCrLf + kestrow);
        return;
    }
    s_.log.writeLog(0, QStringLiteral("Call Kestrow to open deal"));
    QString error;
    if (!s_.launcher.start(kestrow, companionArguments(s_.event.eventName, s_.config.eventsFolder), QString(),
                           &error)) {
        s_.log.writeLog(0, error, QStringLiteral("Export deal"), true);
        tell(QStringLiteral("Kestrow could not be started:") + kCrLf + kestrow + kCrLf + error);
    }
}

void ReportCommands::mnuloggedResults_Click() {
    bool ranThrough = false;
    {
        const BusyPointer busy;
        LoggedResults results(s_.gameData, s_.event, s_.log, s_.messages, s_.shell);
        ranThrough = guarded(s_.log, QStringLiteral("Logged results"), [&] {
            results.mnuloggedResults_Click(s_.config.desktopFolder, s_.link.History);
        });
    }
    if (!ranThrough)
        tell(QStringLiteral("The logged results could not be rebuilt; the log tells why."));
}

} // namespace qzc
