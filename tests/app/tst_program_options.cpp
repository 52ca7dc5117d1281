#include "ProgramOptions.h"

#include <QTest>

class TestProgramOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("exitNow");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("broadcast");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("screenshots");
        QTest::newRow("defaults") << QStringList{} << false << 0 << "255.255.255.255"
                                  << QStringList{} << QString();
        QTest::newRow("all set") << QStringList{"--broadcast", "127.255.255.255", "--port", "/tmp/a",
                                                "--port", "/dev/ttyUSB0", "--screenshot", "shots"}
                                 << false << 0 << "127.255.255.255"
                                 << QStringList{"/tmp/a", "/dev/ttyUSB0"} << "shots";
        QTest::newRow("help") << QStringList{"--help"} << true << 0 << "255.255.255.255"
                              << QStringList{} << QString();
        QTest::newRow("version") << QStringList{"--version"} << true << 0 << "255.255.255.255"
                                 << QStringList{} << QString();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << true << 2 << "255.255.255.255"
                                        << QStringList{} << QString();
        QTest::newRow("broadcast not an address")
            << QStringList{"--broadcast", "everyone"} << true << 2 << "255.255.255.255"
            << QStringList{} << QString();
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, exitNow);
        QFETCH(int, exitCode);
        QFETCH(QString, broadcast);
        QFETCH(QStringList, ports);
        QFETCH(QString, screenshots);
        const ParsedOptions parsed =
            ParseProgramOptions(QStringList{QStringLiteral("matrix-controller")} + arguments);
        QCOMPARE(parsed.exitNow, exitNow);
        QCOMPARE(parsed.exitCode, exitCode);
        QCOMPARE(parsed.exitNow, !parsed.output.isEmpty());
        QCOMPARE(parsed.options.settings.broadcastAddress, broadcast);
        QCOMPARE(parsed.options.settings.portPaths, ports);
        QCOMPARE(parsed.options.screenshotDir, screenshots);
    }
};

QTEST_GUILESS_MAIN(TestProgramOptions)
#include "tst_program_options.moc"
