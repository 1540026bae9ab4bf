#include "core/SharedTables.h"

namespace qzc {

QString sharedTableName(SharedTable table) {
    switch (table) {
    case SharedTable::BiddingData:
        return QStringLiteral("BiddingData");
    case SharedTable::Clients:
        return QStringLiteral("Clients");
    case SharedTable::HandRecord:
        return QStringLiteral("HandRecord");
    case SharedTable::IntermediateData:
        return QStringLiteral("IntermediateData");
    case SharedTable::PlayData:
        return QStringLiteral("PlayData");
    case SharedTable::PlayerNumbers:
        return QStringLiteral("PlayerNumbers");
    case SharedTable::ReceivedData:
        return QStringLiteral("ReceivedData");
    case SharedTable::RoundData:
        return QStringLiteral("RoundData");
    case SharedTable::Section:
        return QStringLiteral("Section");
    case SharedTable::Settings:
        return QStringLiteral("Settings");
    case SharedTable::Tables:
        return QStringLiteral("Tables");
    case SharedTable::PlayerNames:
        return QStringLiteral("PlayerNames");
    }
    return {};
}

bool isRequiredTable(SharedTable table) {
    switch (table) {
    case SharedTable::Clients:
    case SharedTable::PlayerNumbers:
    case SharedTable::ReceivedData:
    case SharedTable::RoundData:
    case SharedTable::Section:
    case SharedTable::Tables:
        return true;
    default:
        return false;
    }
}

} // namespace qzc
