#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace qzc::test {

/// The whole content of a file; empty when it cannot be read.
inline QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The golden file name in the "golden" folder beside the test source testFile (__FILE__).
inline QString goldenPath(const char* testFile, const char* name) {
    return QFileInfo(QString::fromUtf8(testFile)).absolutePath() + QStringLiteral("/golden/") +
           QString::fromLatin1(name);
}

/// Compares written with the golden file byte for byte. With QZC_UPDATE_GOLDEN=1 the golden
/// file is rewritten for review instead and the test is skipped.
#define QZC_EXPECT_GOLDEN(written, golden)                                                                   \
    do {                                                                                                     \
        const QString goldenFile_ = (golden);                                                                \
        if (qEnvironmentVariableIntValue("QZC_UPDATE_GOLDEN") == 1) {                                        \
            QFile out_(goldenFile_);                                                                         \
            ASSERT_TRUE(out_.open(QIODevice::WriteOnly));                                                    \
            out_.write(written);                                                                             \
            GTEST_SKIP() << "golden file rewritten: " << goldenFile_.toStdString();                          \
        }                                                                                                    \
        const QByteArray expected_ = ::qzc::test::readFileBytes(goldenFile_);                                \
        ASSERT_FALSE(expected_.isEmpty()) << "missing " << goldenFile_.toStdString();                        \
        EXPECT_EQ(QString::fromLatin1(written).toStdString(), QString::fromLatin1(expected_).toStdString()); \
    } while (false)

} // namespace qzc::test
