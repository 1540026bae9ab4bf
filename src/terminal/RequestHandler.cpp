#include "terminal/RequestHandler.h"

#include "core/Log.h"

namespace qzc {

qint16 IgnoreRequestHandler::doMsg(const QByteArray&, const QByteArray&, const QDateTime&) {
    log_.writeLog(0, QStringLiteral("Ignore message"), QStringLiteral("doMsg"));
    return 0;
}

} // namespace qzc
