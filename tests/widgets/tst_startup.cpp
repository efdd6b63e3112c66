// SPDX-License-Identifier: MIT
// The program started as a user starts it, with and without a window system.

#include <QProcess>
#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void withoutAWindowSystemItSaysSoAndEnds_data();
    void withoutAWindowSystemItSaysSoAndEnds();
    void offscreenStillRuns();
};

namespace {

// The user's environment without any window system or platform choice.
QProcessEnvironment bareEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    return env;
}

} // namespace

void StartupTest::withoutAWindowSystemItSaysSoAndEnds_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no display at all") << QStringList{} << QStringList{};
    QTest::newRow("X11 asked for without a display")
        << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << QStringList{};
    QTest::newRow("Wayland asked for without a display")
        << QStringList{"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"} << QStringList{};
    QTest::newRow("an unknown platform")
        << QStringList{"QT_QPA_PLATFORM=nosuch", "DISPLAY=:0"} << QStringList{};
    QTest::newRow("an unknown platform argument")
        << QStringList{"DISPLAY=:0"} << QStringList{"-platform", "nosuch"};
}

void StartupTest::withoutAWindowSystemItSaysSoAndEnds()
{
    QFETCH(QStringList, variables);
    QFETCH(QStringList, arguments);
    QProcessEnvironment env = bareEnvironment();
    for (const QString &v : variables)
        env.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
    QProcess program;
    program.setProcessEnvironment(env);

    program.start(QStringLiteral(NOCTIVUE_PROGRAM), arguments);

    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(program.readAllStandardError(),
             QByteArray("Noctivue needs a graphical desktop (X11 or Wayland).\n"));
}

void StartupTest::offscreenStillRuns()
{
    QProcessEnvironment env = bareEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(env);

    program.start(QStringLiteral(NOCTIVUE_PROGRAM));

    QVERIFY(program.waitForStarted());
    // Refused, it would end at once; running, it waits for the user.
    QVERIFY(!program.waitForFinished(1000));
    program.kill();
    program.waitForFinished();
    QVERIFY(!program.readAllStandardError().contains("graphical desktop"));
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
