#include "support/SharedLayout.h"

namespace qzc::test {

namespace {

const QString kInt = QStringLiteral("INTEGER");
const QString kYesNo = QStringLiteral("YESNO NOT NULL DEFAULT 0");
const QString kText = QStringLiteral("TEXT(255)");
const QString kNoCase = QStringLiteral("TEXT(255) COLLATE NOCASE");
const QString kDate = QStringLiteral("DATETIME");

LayoutColumn col(const char* name, const QString& type) {
    return LayoutColumn{QString::fromLatin1(name), type};
}

std::vector<LayoutTable> makeLayout() {
    std::vector<LayoutTable> tables;
    tables.push_back({QStringLiteral("BiddingData"),
                      {col("ID", QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")), col("Section", kInt),
                       col("Table", kInt), col("Round", kInt), col("Board", kInt), col("Counter", kInt),
                       col("Direction", kNoCase), col("Bid", kNoCase), col("DateLog", kDate),
                       col("TimeLog", kDate), col("Erased", kYesNo)}});
    tables.push_back({QStringLiteral("Clients"), {col("ID", QStringLiteral("INTEGER PRIMARY KEY"))}});
    {
        LayoutTable hand{QStringLiteral("HandRecord"), {col("Section", kInt), col("Board", kInt)}};
        for (const char* seat : {"North", "East", "South", "West"}) {
            for (const char* suit : {"Spades", "Hearts", "Diamonds", "Clubs"})
                hand.columns.push_back(LayoutColumn{QLatin1String(seat) + QLatin1String(suit), kText});
        }
        tables.push_back(hand);
    }
    tables.push_back({QStringLiteral("IntermediateData"),
                      {col("ID", QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")), col("Section", kInt),
                       col("Table", kInt), col("Round", kInt), col("Board", kInt)}});
    tables.push_back({QStringLiteral("PlayData"),
                      {col("ID", QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")), col("Section", kInt),
                       col("Table", kInt), col("Round", kInt), col("Board", kInt), col("Counter", kInt),
                       col("Direction", kNoCase), col("Card", kNoCase), col("DateLog", kDate),
                       col("TimeLog", kDate), col("Erased", kYesNo)}});
    tables.push_back({QStringLiteral("PlayerNumbers"),
                      {col("Section", kInt), col("Table", kInt), col("Direction", kNoCase),
                       col("Number", kNoCase), col("Processed", kYesNo)}});
    tables.push_back(
        {QStringLiteral("ReceivedData"),
         {col("ID", QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")), col("Section", kInt),
          col("Table", kInt), col("Round", kInt), col("Board", kInt), col("PairNS", kInt),
          col("PairEW", kInt), col("Declarer", kInt), col("NS/EW", kNoCase), col("Contract", kNoCase),
          col("Result", kNoCase), col("LeadCard", kNoCase), col("Remarks", kNoCase), col("DateLog", kDate),
          col("TimeLog", kDate), col("Erased", kYesNo)}});
    tables.push_back({QStringLiteral("RoundData"),
                      {col("Section", kInt), col("Table", kInt), col("Round", kInt), col("NSPair", kInt),
                       col("EWPair", kInt), col("LowBoard", kInt), col("HighBoard", kInt)}});
    tables.push_back({QStringLiteral("Section"),
                      {col("ID", QStringLiteral("INTEGER PRIMARY KEY")), col("Letter", kNoCase),
                       col("Tables", kInt), col("MissingPair", kInt)}});
    {
        LayoutTable settings{QStringLiteral("Settings"), {}};
        const std::pair<const char*, bool> columns[] = {
            {"ShowResults", true},         {"MemberNumbers", true},        {"LeadCard", true},
            {"EnterResultsMethod", false}, {"GroupSections", true},        {"BM2PINcode", false},
            {"BM2NextSeatings", true},     {"BM2AuoShowScoreRecap", true}, {"BM2ScoreCorrection", true},
            {"BM2ResultsOverview", false}, {"BM2ShowPlayerNames", false},  {"BM2Ranking", false},
            {"BM2GameSummary", true},      {"BM2ViewHandRecord", true},    {"BM2RecordBidding", true},
            {"BM2RecordPlay", true},       {"ScorePoints", false},         {"BM2EnterHandRecord", true},
        };
        for (const auto& [name, yesNo] : columns) {
            const bool text = QLatin1String(name) == QLatin1String("BM2PINcode");
            settings.columns.push_back(col(name, yesNo ? kYesNo : (text ? kText : kInt)));
        }
        tables.push_back(settings);
    }
    tables.push_back(
        {QStringLiteral("Tables"),
         {col("Section", kInt), col("Table", kInt), col("LogOnOff", kInt), col("UpdateFromRound", kInt)}});
    tables.push_back({QStringLiteral("PlayerNames"), {col("ID", kInt), col("Name", kNoCase)}});
    return tables;
}

} // namespace

QString LayoutTable::createStatement(const QStringList& skipped) const {
    QStringList parts;
    for (const LayoutColumn& column : columns) {
        if (skipped.contains(column.name, Qt::CaseInsensitive))
            continue;
        parts << QLatin1Char('[') + column.name + QStringLiteral("] ") + column.type;
    }
    return QStringLiteral("CREATE TABLE [") + name + QStringLiteral("] (") +
           parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

const std::vector<LayoutTable>& sharedLayout() {
    static const std::vector<LayoutTable> layout = makeLayout();
    return layout;
}

QStringList sharedSettingsColumns() {
    QStringList names;
    for (const LayoutTable& table : sharedLayout()) {
        if (table.name == QLatin1String("Settings")) {
            for (const LayoutColumn& column : table.columns)
                names << column.name;
        }
    }
    return names;
}

} // namespace qzc::test
