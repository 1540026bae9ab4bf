#include "terminal/ReplyCutter.h"

#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::wire::bytes;

QByteArray run(int from, int count) {
    QByteArray data;
    for (int i = 0; i < count; ++i)
        data.append(static_cast<char>(from + i));
    return data;
}

TEST(ReplyPiecesTest, PiecesHeadersAndLengths) {
    const QByteArray address = bytes("01 2C");
    struct Case {
        const char* name;
        int replyCode;
        QByteArray data;
        bool hasData;
        /// Per piece: L and the header byte (0: none), and how many payload bytes.
        std::vector<std::tuple<int, int, int>> pieces;
    };
    const Case cases[] = {
        {"empty plain", 41, {}, true, {{1, 0, 0}}},
        {"empty with header", 57, {}, true, {{2, 0x11, 0}}},
        {"one full header piece and an empty one", 57, run(1, 102), true, {{104, 0x21, 102}, {2, 0x22, 0}}},
        {"two full plain pieces and an empty one",
         41,
         run(1, 206),
         true,
         {{104, 0, 103}, {104, 0, 103}, {1, 0, 0}}},
        {"part of a second header piece", 103, run(0, 130), true, {{104, 0x21, 102}, {30, 0x22, 28}}},
        {"list reply of one zero byte", 73, bytes("00"), false, {{2, 0, 1}}},
        {"bare feedback code", 55, bytes("00"), false, {{1, 0, 0}}},
        {"single byte feedback counts as none", 51, bytes("07"), true, {{1, 0, 0}}},
        {"traveller of one result", 51, bytes("1C 2C 00"), true, {{4, 0, 3}}},
        {"fifteen header pieces", 109, run(0, 1529), true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pieces = cutReplyPieces(address, c.replyCode, c.data, c.hasData);
        ASSERT_TRUE(pieces.has_value());
        if (c.pieces.empty()) {
            EXPECT_EQ(pieces->size(), 15u);
            EXPECT_EQ(static_cast<quint8>(pieces->back()[4]), 0xFF);
            continue;
        }
        ASSERT_EQ(pieces->size(), c.pieces.size());
        QByteArray payload;
        for (std::size_t k = 0; k < pieces->size(); ++k) {
            const QByteArray& piece = (*pieces)[k];
            const auto [length, header, share] = c.pieces[k];
            EXPECT_EQ(piece.left(2), address);
            EXPECT_EQ(static_cast<quint8>(piece[2]), length);
            EXPECT_EQ(piece.size(), length + 3);
            EXPECT_EQ(static_cast<quint8>(piece[3]), c.replyCode);
            const int at = header != 0 ? 5 : 4;
            if (header != 0) {
                EXPECT_EQ(static_cast<quint8>(piece[4]), header);
            }
            EXPECT_EQ(piece.size() - at, share);
            payload += piece.mid(at);
        }
        const QByteArray expected =
            c.hasData && c.data.size() > 1 ? c.data : QByteArray(payload.size(), '\0');
        EXPECT_EQ(payload, expected);
    }
}

TEST(ReplyPiecesTest, WithoutDataThePiecesKeepTheirSizeButCarryZeros) {
    const auto pieces = cutReplyPieces(bytes("00 05"), 41, bytes("01 02 03"), false);
    ASSERT_TRUE(pieces.has_value());
    ASSERT_EQ(pieces->size(), 1u);
    EXPECT_EQ(pieces->front(), bytes("00 05 04 29 00 00 00"));
}

TEST(ReplyPiecesTest, AHeaderReplyOfSixteenPiecesIsNotCut) {
    EXPECT_FALSE(cutReplyPieces(bytes("00 05"), 103, run(0, 1530), true).has_value());
    // Plain replies have no header to overflow.
    EXPECT_EQ(cutReplyPieces(bytes("00 05"), 105, run(0, 1700), true)->size(), 17u);
}

} // namespace
} // namespace qzc
