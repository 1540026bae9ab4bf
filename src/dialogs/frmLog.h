#pragma once

#include "core/Log.h"

#include <QDialog>

class QPlainTextEdit;

namespace qzc {

/// The log viewer: the event's log in a read-only box, to which every line logged while it
/// is open is added. Typing the access code as the first keys unlocks the box and the
/// main window's maintenance menu; from then on F1 decodes the radio message on the line of
/// the caret.
class frmLog final : public QDialog, public LogWindowSink {
    Q_OBJECT
public:
    /// The box shows at most the log's last this many characters.
    static constexpr qsizetype shownChars = 65535;
    static inline const QString accessCode = QStringLiteral("MWDmwd");

    /// The log's lines are added while the viewer exists; logFile is the event's log.
    frmLog(Log& log, QString logFile, QWidget* parent);
    ~frmLog() override;
    frmLog(const frmLog&) = delete;
    frmLog& operator=(const frmLog&) = delete;

    /// Shows the log file and the lines not yet written to it (the last shownChars characters).
    void Form_Load();

    // LogWindowSink
    QString text() const override;
    /// The caret, its selection and the view stay on the lines they were on.
    void keepLast(qsizetype count) override;
    void appendLine(const QString& line) override;

    QPlainTextEdit* txtLog = nullptr;

Q_SIGNALS:
    /// The access code was typed: the maintenance menu is to be shown.
    void maintenanceUnlocked();
    /// F1 in the unlocked box: the line of the caret is to be decoded.
    void decodeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Log& log_;
    QString logFile_;
    /// Every character typed into the box since it was loaded.
    QString typedKeys_;
};

} // namespace qzc
