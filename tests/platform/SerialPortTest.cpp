#include "platform/SerialPort.h"

#include "platform/SystemSerialPort.h"
#include "support/PseudoTerminal.h"
#include "support/QtPrinters.h"
#include "support/TestCoreApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

TEST(SerialPortTest, ComPortNumbersMapToDevices) {
    const QStringList listed{u"/dev/ttyUSB0"_s, u"/dev/pts/7"_s, u"/dev/ttyS1"_s};
    const QStringList available{u"/dev/ttyS1"_s, u"/dev/ttyACM0"_s, u"/dev/ttyS0"_s};
    struct Case {
        int port;
        QStringList devices;
        QString expected;
    };
    const Case cases[] = {
        {1, listed, u"/dev/ttyUSB0"_s},
        {3, listed, u"/dev/ttyS1"_s},
        {4, listed, u""_s},
        {1, {}, u"/dev/ttyACM0"_s},
        {3, {}, u"/dev/ttyS1"_s},
        {4, {}, u""_s},
        {0, listed, u""_s},
        {17, listed, u""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(devicePathForComPort(c.port, c.devices, available), c.expected);
    }
    EXPECT_EQ(parseSerialDevices(QStringLiteral(" /dev/a ;;/dev/b;")),
              (QStringList{u"/dev/a"_s, u"/dev/b"_s}));
    EXPECT_TRUE(parseSerialDevices(QString()).isEmpty());
}

TEST(SerialPortTest, PseudoTerminalOpensExclusivelyAndHangsUp) {
    test::TestCoreApp app;
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());

    SystemSerialPort port;
    port.setDeviceList({QStringLiteral("/nonexistent/tty"), pty.devicePath()});
    port.setCommPort(1);
    EXPECT_FALSE(port.open());
    EXPECT_NE(port.lastError().number, 0);
    EXPECT_FALSE(port.lastError().description.isEmpty());

    port.setCommPort(2);
    ASSERT_TRUE(port.open()); // the refused DTR setting does not matter
    SystemSerialPort second;
    second.setDeviceList({pty.devicePath()});
    second.setCommPort(1);
    EXPECT_FALSE(second.open());

    const QByteArray sent("\xFF\x00\x0C\x01\x0A\x00\x17", 7);
    ASSERT_EQ(::write(pty.masterFd(), sent.constData(), sent.size()), sent.size());
    ASSERT_TRUE(port.waitForReadyRead(5000));
    QByteArray got;
    while (got.size() < sent.size() && port.waitForReadyRead(5000))
        got += port.read().value_or(QByteArray());
    EXPECT_EQ(got, sent);
    EXPECT_TRUE(port.probe());
    EXPECT_TRUE(port.write(QByteArray("\x01\x02", 2)));

    pty.closeMaster();
    EXPECT_FALSE(port.read().has_value());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.probe());
}

TEST(SerialPortTest, ArrivingBytesAreReportedThroughTheEventLoop) {
    test::TestCoreApp app;
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    SystemSerialPort port;
    port.setDeviceList({pty.devicePath()});
    port.setCommPort(1);
    ASSERT_TRUE(port.open());
    int reports = 0;
    port.setReadyReadHandler([&] { ++reports; });

    const QByteArray sent("\xFF\x00\x0C\x01\x0A\x00\x17", 7);
    ASSERT_EQ(::write(pty.masterFd(), sent.constData(), sent.size()), sent.size());
    QElapsedTimer guard;
    guard.start();
    while (reports == 0 && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(port.read().value_or(QByteArray()), sent);
}

} // namespace
} // namespace qzc
