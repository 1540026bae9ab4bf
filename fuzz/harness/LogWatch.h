#pragma once

#include "core/Log.h"

#include <QStringList>

namespace qzc::fuzz {

/// Watches the program's log for an exception that escaped the handling of a frame: the
/// queue and the link's timer handlers catch whatever is thrown beneath them and log it as
/// a run-time error under their own name. Any such line is a fault of the program.
class LogWatch final : public LogWindowSink {
public:
    QString text() const override { return {}; }
    void keepLast(qsizetype) override {}
    void appendLine(const QString& line) override;

    /// The lines seen since the last clear.
    QStringList escaped;
};

} // namespace qzc::fuzz
