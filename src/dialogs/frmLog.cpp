#include "dialogs/frmLog.h"

#include "core/TextFile.h"
#include "platform/BusyPointer.h"
#include "widgets/WindowPlacement.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace qzc {

frmLog::frmLog(Log& log, QString logFile, QWidget* parent)
    : QDialog(parent), log_(log), logFile_(std::move(logFile)) {
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Log"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    txtLog = new QPlainTextEdit(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setReadOnly(true);
    txtLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFamilies(
        {QStringLiteral("Courier New"), QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    txtLog->setFont(font);
    txtLog->installEventFilter(this);
    (new QVBoxLayout(this))->addWidget(txtLog);
    resize(800, 500);
    keepFrameOnScreen(*this);
}

frmLog::~frmLog() {
    log_.setWindowSink(nullptr);
}

void frmLog::Form_Load() {
    const BusyPointer busy;
    qint16 error = 0;
    // The lines still in the log's buffer follow those of the file.
    QString text = ReadTextFile(logFile_, error) + log_.bufferedText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtLog->setPlainText(text.right(shownChars));
    txtLog->moveCursor(QTextCursor::End);
    typedKeys_.clear();
    log_.setWindowSink(this);
}

QString frmLog::text() const {
    return txtLog->toPlainText();
}

void frmLog::keepLast(qsizetype count) {
    QTextDocument* document = txtLog->document();
    const int cut = document->characterCount() - 1 - static_cast<int>(count);
    if (cut <= 0)
        return;
    QScrollBar* scroll = txtLog->verticalScrollBar();
    const int firstShown = scroll->value();
    const int lines = document->blockCount();
    // Cut through a cursor of its own, the box's cursor moves with the text it is on. The
    // cut text is not kept for undo.
    document->setUndoRedoEnabled(false);
    QTextCursor front(document);
    front.setPosition(cut, QTextCursor::KeepAnchor);
    front.removeSelectedText();
    document->setUndoRedoEnabled(true);
    scroll->setValue(firstShown - (lines - document->blockCount()));
}

void frmLog::appendLine(const QString& line) {
    txtLog->appendPlainText(line);
}

bool frmLog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtLog || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (txtLog->isReadOnly()) {
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false;
        typedKeys_ += key->text();
        if (typedKeys_ != accessCode)
            return false;
        txtLog->setReadOnly(false);
        Q_EMIT maintenanceUnlocked();
        return true;
    }
    if (key->key() == Qt::Key_F1) {
        Q_EMIT decodeRequested();
        return true;
    }
    return false;
}

} // namespace qzc
