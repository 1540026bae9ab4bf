#include "harness/SeedCorpus.h"

#include "harness/RadioRig.h"
#include "support/SimWire.h"

#include <QDir>
#include <QFile>
#include <initializer_list>

namespace qzc::fuzz {

namespace {

using test::wire::bytes;

/// One round of a table: who sits where and which boards it plays.
struct Round {
    quint8 ns = 0;
    quint8 ew = 0;
    quint8 lowBoard = 0;
    quint8 highBoard = 0;
};

Round roundOf(RadioRig& rig, int section, int table, int round) {
    const auto value = [&](const char* column) {
        return static_cast<quint8>(rig.data()
                                       .value(QStringLiteral("SELECT %1 FROM RoundData WHERE Section=%2 AND "
                                                             "[Table]=%3 AND Round=%4")
                                                  .arg(QLatin1String(column))
                                                  .arg(section)
                                                  .arg(table)
                                                  .arg(round))
                                       .toInt());
    };
    return Round{value("NSPair"), value("EWPair"), value("LowBoard"), value("HighBoard")};
}

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v));
    return out;
}

/// A request of a terminal as the base station passes it on.
QByteArray from(quint16 terminal, const QByteArray& data) {
    return test::wire::terminalFrame(terminal, data);
}

/// A message of the base station itself.
QByteArray station(quint8 type, const char* hexData) {
    return test::wire::frame(0xFF, type, bytes(hexData));
}

quint8 session(qint16 gameMode = 1, int feedbackStyle = 1, int readSize = 0) {
    return SessionByte::encode(gameMode, feedbackStyle, readSize);
}

/// A board result record: board, contract, result, lead, NS, EW (and South, West).
QByteArray record(int board, int contract, int result, int lead, const Round& round,
                  bool fourPlayers = false) {
    QByteArray r = bytesOf({board, contract, result, lead, round.ns, round.ew});
    if (fourPlayers)
        r += bytesOf({0, 0});
    return r;
}

// Contract byte: level + 8 x strain (+ 64 doubled); result byte: 4 x tricks + declarer;
// card byte: 4 x rank + suit.
constexpr int fourSpades = 4 + 8 * 3;
constexpr int threeNoTrumpDoubled = 3 + 8 * 4 + 64;
constexpr int northTen = 4 * 10;
constexpr int eastEight = 4 * 8 + 1;
constexpr int heartKing = 4 * 13 + 2;
constexpr int spadeAce = 4 * 1 + 3;
constexpr int noCard = 64;
constexpr int notPlayed = 56;
constexpr int fiftyFifty = 62;

/// A deal: North holds the spades, East the hearts, South the diamonds, West the clubs.
QByteArray dealtCards() {
    QByteArray cards;
    for (const int suit : {3, 2, 1, 0}) {
        for (int rank = 1; rank <= 13; ++rank)
            cards.append(static_cast<char>(4 * rank + suit));
    }
    return cards;
}

/// The six-byte player ID of a member number, two decimal digits a byte.
QByteArray playerId(qint64 number) {
    QByteArray id(6, '\0');
    for (int i = 5; i >= 0; --i) {
        id[i] = static_cast<char>(number % 100);
        number /= 100;
    }
    return id;
}

} // namespace

std::vector<Seed> radioSeeds(RadioRig& rig) {
    constexpr quint16 a1 = RadioRig::loggedInTerminal;
    const Round first = roundOf(rig, 1, 1, 1);
    const Round second = roundOf(rig, 1, 1, 2);
    const int board = first.lowBoard;
    const QByteArray status = bytes("0A 03 14");
    const auto seed = [](const char* name, quint8 sessionByte, const QByteArray& frames) {
        return Seed{QString::fromLatin1(name), QByteArray(1, static_cast<char>(sessionByte)) + frames};
    };

    QByteArray list;
    QByteArray listFour;
    for (int b = first.lowBoard; b <= first.highBoard; ++b) {
        list += record(b, fourSpades, northTen, heartKing, first);
        listFour += record(b, fourSpades, northTen, heartKing, first, true);
    }
    QByteArray trick = bytesOf({3, spadeAce, 4 * 1 + 2, 4 * 1 + 1, 4 * 1 + 0});

    std::vector<Seed> seeds = {
        // Game status and registration, logins, reloads.
        // A game status request registers its terminal anew, unbound: other terminals ask.
        seed("010-game-status", session(), from(0x0104, status)),
        seed("010-game-status-old-firmware", session(), from(0x0106, bytes("0A 01 05"))),
        seed("010-game-status-without-version", session(), from(0x0107, bytes("0A"))),
        seed("010-game-status-while-stopped", session(0), from(0x0105, status)),
        seed("012-movement-received", session(), from(a1, bytes("0C"))),
        seed("020-table-login", session(), from(0x0102, status) + from(0x0102, bytes("14 01 02"))),
        seed("020-table-login-section-b", session(), from(0x0201, status) + from(0x0201, bytes("14 02 01"))),
        seed("024-table-login-while-stopped", session(0),
             from(0x0103, status) + from(0x0103, bytes("18 01 03"))),
        seed("100-replacing-table-login", session(), from(0x0202, bytes("64 02 02 03 14"))),
        seed("110-reload-settings", session(), from(a1, bytes("6E"))),
        seed("112-updated-movement-received", session(), from(a1, bytes("70"))),
        seed("114-reload-changed-movement", session(), from(a1, bytes("72"))),
        // Board results, one by one and as lists, with each kind of feedback.
        seed("052-board-result-traveller", session(1, 1),
             from(a1, bytes("34") + record(board, fourSpades, northTen, heartKing, first))),
        seed("052-board-result-frequencies", session(1, 2),
             from(a1, bytes("34") + record(board + 1, threeNoTrumpDoubled, eastEight, spadeAce, first))),
        seed("052-board-result-no-feedback", session(1, -1),
             from(a1, bytes("34") + record(board + 2, fourSpades, northTen, noCard, first))),
        seed("052-board-result-passed-out", session(1, 0),
             from(a1, bytes("34") + record(board, 0, 0, noCard, first))),
        seed("052-board-result-adjusted", session(),
             from(a1, bytes("34") + record(board, 0, fiftyFifty, 0, first))),
        seed("052-board-result-not-played", session(),
             from(a1, bytes("34") + record(board, notPlayed, 0, 0, first))),
        seed("052-board-result-code-bit-7", session(),
             from(a1, bytes("B4") + record(board, fourSpades, northTen, heartKing, first))),
        seed("052-board-result-next-round", session(),
             from(a1, bytes("34") + record(second.lowBoard, fourSpades, northTen, heartKing, second))),
        seed("054-board-result-four-players", session(),
             from(a1, bytes("36") + record(board, fourSpades, northTen, heartKing, first, true))),
        seed("072-board-result-list", session(), from(a1, bytes("48") + list)),
        seed("074-board-result-list-four-players", session(), from(a1, bytes("4A") + listFour)),
        // Stored results, ranking, PINs, names, recaps.
        seed("102-stored-board-results", session(), from(a1, bytes("66"))),
        seed("108-stored-board-results-four-players", session(), from(a1, bytes("6C"))),
        seed("030-pair-pins", session(), from(a1, bytesOf({30, first.ns, 12, 34, first.ew, 56, 78}))),
        seed("032-player-pins", session(), from(a1, bytesOf({32, first.ns, 12, 34, first.ew, 56, 78, 0, 0}))),
        seed("040-player-ids", session(),
             from(a1, bytes("28") + playerId(20101) + playerId(20102) + playerId(20103) + playerId(20104))),
        seed("056-ranking", session(), from(a1, bytes("38"))),
        seed("058-all-pair-pins", session(), from(a1, bytes("3A"))),
        seed("060-round-names", session(), from(a1, bytesOf({60, first.ns, first.ew}))),
        seed("104-score-frequency", session(), from(a1, bytesOf({104, first.ns, board, 1}))),
        seed("106-personal-recap", session(), from(a1, bytesOf({106, 0}))),
        // Deals, bids and play.
        seed("080-dealt-cards", session(), from(a1, bytesOf({80, board}) + dealtCards())),
        seed("082-bids", session(), from(a1, bytesOf({82, board, 0, 1, 0, 0, 0}))),
        seed("084-played-cards", session(), from(a1, bytesOf({84, board}) + trick)),
        seed("086-deal", session(), from(a1, bytesOf({86, board}))),
        seed("088-deal-with-makeable-contracts", session(), from(a1, bytesOf({88, board}))),
        seed("050-undefined-code", session(), from(a1, bytes("32 01 02"))),
        // The base station's own messages.
        seed("bs-channel-report", session(), station(2, "05")),
        seed("bs-knock-ack", session(), station(3, "55")),
        seed("bs-knock-nack", session(), station(3, "AA")),
        seed("bs-reply-signal", session(), station(3, "33")),
        seed("bs-firmware-version", session(), station(4, "01 04 0C 07 03")),
        // Framing.
        seed("frame-bad-checksum-then-frame", session(),
             bytes("00 13") + test::wire::terminalFrame(a1, bytes("66"), 1) + from(a1, bytes("66"))),
        seed("frame-two-in-one-read", session(), from(a1, bytes("6E")) + from(a1, bytes("66"))),
        seed("frame-in-reads-of-three-bytes", session(1, 1, 3),
             from(a1, bytes("66")) + from(a1, bytes("6E"))),
        seed("frame-without-data", session(), test::wire::terminalFrame(a1, QByteArray())),
    };
    return seeds;
}

std::vector<Seed> textSeeds() {
    const auto seed = [](const char* name, const char* parser, const QByteArray& text) {
        return Seed{QString::fromLatin1(name), QByteArray(parser) + '\n' + text};
    };
    return {
        seed("names-file-semicolons", "names-file", "20101;Alma Amsel\r\n20102;Bruno Amsel\r\n"),
        seed("names-file-commas-and-rejects", "names-file",
             "501,Eva Fink\r\nno number,Someone\r\n0,Nobody\r\n1234567890123,Too Long\r\n502,#Hash#\r\n"),
        seed("names-file-windows-1252", "names-file", "601;J\xF6rg M\xFCller\r\n602;Ren\xE9\r\n"),
        seed("ini-file", "ini-file",
             "[QZC]\r\nComPort=3\r\nTimeout=250\r\nHistory=1\r\nMinTxInterval=2\r\nTQZMinVersion=2.5\r\n"
             "TQZMaxVersion=3.50\r\nLogBuffer=200000\r\nDatabaseRetry=2\r\nSerialDevices=/dev/ttyS0; "
             "/dev/ttyUSB0\r\nQueueSize=600\r\n\r\n; a comment\r\n[QZC Default Game Settings]\r\n"
             "HideGSWindow=1\r\nFeedback=2\r\nTDPIN=0042\r\nGameType=1\r\nScoringType=0\r\n"),
        seed("ini-file-unix-lines-and-blanks", "ini-file",
             "[ qzc ]\nTimeout = 5000\nChannel=17\nBaudrate=abc\n"),
        seed("ini-value-version", "ini-value", "3.20"),
        seed("ini-value-hex", "ini-value", "&H1F"),
        seed("ini-value-exponent", "ini-value", " -12.5e1 "),
        seed("ini-value-devices", "ini-value", "/dev/ttyS0;;/dev/ttyS1;"),
        seed("command-line-quoted", "command-line", "/f:\"/home/td/Events/Club Evening.db\" /m"),
        seed("command-line-bracketed", "command-line", "/m /f:[C:\\events\\a b.db]"),
        seed("command-line-unclosed", "command-line", "/f:\"/home/td/x.db"),
        seed("typed-number", "typed-number", "12a3"),
        seed("typed-number-negative", "typed-number", "-4.5"),
        seed("contract-text-doubled", "contract-text", "4SX N +1 HK"),
        seed("contract-text-no-trump", "contract-text", "3NT E -2 SA"),
        seed("contract-text-redoubled", "contract-text", "7NTXX W = Cx"),
        seed("contract-text-pass", "contract-text", "PASS"),
        seed("result-entry", "result-entry", "4SN+1HK"),
        seed("result-entry-tricks-and-lead-first", "result-entry", "3ntxe 8 ks"),
        seed("result-entry-passed-out", "result-entry", "PASS"),
        seed("all-deal-file", "all-deal-file",
             "hand records\r\n#1\r\n\tAKQ\t\r\n\tJT9\t\r\n17\t876\t\r\n\t5432\t\r\n"
             "AK\t\tQJ\r\nT9\t\t87\r\n65\t\t43\r\n2\t\tAKQJ\r\n\tT98\t\r\n\t765\t\r\n"
             "\t432\t\r\n\tA\t\r\n#2\r\n"),
        seed("suit-holding", "suit-holding", "N S AKQT2"),
        seed("table-id", "table-id", "A12"),
        seed("table-id-double-letters", "table-id", "aa7"),
        seed("table-id-long", "table-id", "ZZZ99999"),
        seed("file-text-utf8", "file-text", "J\xC3\xB6rg\r\n"),
        seed("file-text-windows-1252", "file-text", "J\xF6rg \x80\x81\r\n"),
        seed("file-text-byte-order-mark", "file-text", "\xEF\xBB\xBFName\r\n"),
    };
}

bool writeSeeds(const std::vector<Seed>& seeds, const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    bool written = true;
    for (const Seed& seed : seeds) {
        QFile file(QDir(folder).filePath(seed.name));
        written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(seed.bytes) == seed.bytes.size() && written;
    }
    return written;
}

} // namespace qzc::fuzz
