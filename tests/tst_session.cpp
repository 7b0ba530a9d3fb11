#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

#include "MainWindowFixture.h"
#include "ScriptedSaveDialog.h"
#include "SessionFile.h"
#include "Settings.h"

namespace {

// A session with nothing at its default.
Session Unusual()
{
    Session session;
    session.entries = {"sin (x)", "x^2+(2*x)+1", "   ", "x*x"};
    session.view.dScaleX = -2.5; // a mirrored axis
    session.view.dOriginX = 0.1;
    session.view.dScaleY = 1e-3;
    session.view.dOriginY = 1e5;
    session.view.iDivisionsX = 7;
    session.view.iDivisionsY = 32767;
    session.view.iPolarSensitivity = 300;
    session.view.bGrids = true;
    session.view.bOptimize = false;
    session.bPolar = true;
    return session;
}

QByteArray WithField(const char* pszName, const QJsonValue& value)
{
    QJsonObject root = QJsonDocument::fromJson(SessionJson(Session{{"x"}})).object();
    root.insert(QLatin1String(pszName), value);
    return QJsonDocument(root).toJson();
}

QAction* Item(const MainWindow& main, const char* pszName)
{
    return main.window->findChild<QAction*>(QLatin1String(pszName));
}

} // namespace

class tst_Session : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void roundTrip();
    void refusals_data();
    void refusals();
    void refusedFileChangesNothing();
    void failedSaveKeepsTheOldFile();
    void unsavedChanges();
    void recentSessions();

private:
    QTemporaryDir m_settings;
};

void tst_Session::initTestCase()
{
    // The recent sessions go to settings of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("velmora-tests"));
}

void tst_Session::init()
{
    QSettings().clear();
}

void tst_Session::roundTrip()
{
    const Session session = Unusual();
    const auto read = ReadSession(SessionJson(session));
    QVERIFY(std::holds_alternative<Session>(read));
    QVERIFY(std::get<Session>(read) == session);

    // Through the window: saved, replaced by New, opened again.
    QTemporaryDir folder;
    MainWindow main;
    main.window->ApplySession(session);
    ScriptedSaveDialog dialog;
    const QString strFile = folder.filePath(QStringLiteral("lesson"));
    dialog.answers = {strFile, strFile + QStringLiteral(".velmora")};
    Item(main, "mnuSaveAs")->trigger();
    QCOMPARE(main.window->windowTitle(), QStringLiteral("lesson.velmora[*] - Velmora"));
    QVERIFY(!main.window->isWindowModified());
    Item(main, "mnuNew")->trigger();
    QCOMPARE(main.List()->count(), 0);
    QCOMPARE(main.window->windowTitle(), QStringLiteral("Velmora"));
    QVERIFY(main.window->CurrentSession() == Session{});
    Item(main, "mnuOpen")->trigger();
    QVERIFY(dialog.requests.last().bOpen);
    QVERIFY(main.window->CurrentSession() == session);
    QVERIFY(main.Control<QCheckBox>("chkNoOptimize")->isChecked());
    QVERIFY(main.Control<QRadioButton>("optPolar")->isChecked());
    QCOMPARE(main.messages.messages.size(), 0);
}

void tst_Session::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "it is not a Velmora session (it is not JSON: ";
    QTest::newRow("another format") << QByteArray("{\"format\": \"svg\", \"version\": 1}")
                                    << "it is not a Velmora session";
    QTest::newRow("no version") << WithField("version", "one") << "it is not a Velmora session (it has no version)";
    QTest::newRow("newer") << WithField("version", 2) << "it was written by a newer version of Velmora";
    QTest::newRow("unbalanced") << WithField("expressions", QJsonArray{"x", "sin(x))"})
                                << "its expression \"sin(x))\" is refused: ";
    QTest::newRow("misread") << WithField("expressions", QJsonArray{"2.5e-1*x"})
                             << "its expression \"2.5e-1*x\" is refused: ";
    QTest::newRow("too long") << WithField("expressions", QJsonArray{QString(32766, QLatin1Char('x'))})
                              << "its expression \"" + QString(60, QLatin1Char('x'))
                                     + "\" is refused: The expression is too long";
    QTest::newRow("not texts") << WithField("expressions", QJsonArray{1}) << "its field \"expressions\" is not";
    QTest::newRow("a mode") << WithField("mode", "spiral") << "its field \"mode\" is not";
    QTest::newRow("no divisions") << WithField("view", QJsonObject{{"x", QJsonObject{{"divisions", 0}}}})
                                  << "its field \"view.x.divisions\" is not a whole number from 1 to 32767";
    QTest::newRow("a range too narrow") << WithField("view", QJsonObject{{"y", QJsonObject{{"centre", 1e9},
                                                                                           {"halfRange", 1e-9}}}})
                                        << "its y range is too small or too large to draw";
}

void tst_Session::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const auto read = ReadSession(bytes);
    QVERIFY(std::holds_alternative<QString>(read));
    QVERIFY2(std::get<QString>(read).startsWith(reason), qPrintable(std::get<QString>(read)));
}

void tst_Session::refusedFileChangesNothing()
{
    QTemporaryDir folder;
    MainWindow main;
    main.window->ApplySession(Unusual());
    const Session before = main.window->CurrentSession();
    const QString strNewer = folder.filePath(QStringLiteral("newer.velmora"));
    QFile file(strNewer);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(WithField("version", 2)) > 0);
    file.close();
    for (const QString& strFile : {strNewer, folder.filePath(QStringLiteral("missing.velmora")), folder.path()}) {
        QVERIFY(!main.window->OpenSession(strFile));
        QVERIFY(main.window->CurrentSession() == before);
        QVERIFY2(main.messages.messages.last().strText.startsWith(
                     QStringLiteral("The session \"%1\" cannot be opened: ").arg(QDir::toNativeSeparators(strFile))),
                 qPrintable(main.messages.messages.last().strText));
    }
    QCOMPARE(main.window->windowTitle(), QStringLiteral("Velmora"));
}

void tst_Session::failedSaveKeepsTheOldFile()
{
    // A name so long that the file written beside it, whose name is longer
    // still, cannot be made.
    QTemporaryDir folder;
    const QString strFile = folder.filePath(QString(240, QLatin1Char('s')) + QStringLiteral(".velmora"));
    QFile old(strFile);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    MainWindow main;
    ScriptedSaveDialog dialog;
    dialog.answers = {strFile};
    Item(main, "mnuSave")->trigger();
    QCOMPARE(main.messages.messages.size(), 1);
    QVERIFY2(main.messages.messages[0].strText.startsWith(QStringLiteral("The session could not be saved as \"")),
             qPrintable(main.messages.messages[0].strText));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(main.window->windowTitle(), QStringLiteral("Velmora"));
}

void tst_Session::unsavedChanges()
{
    QTemporaryDir folder;
    // Without a session, nothing is asked.
    {
        MainWindow main;
        main.window->ApplySession(Unusual());
        QVERIFY(main.window->close());
        main.window = nullptr;
        QCOMPARE(main.messages.messages.size(), 0);
    }
    MainWindow main;
    ScriptedSaveDialog dialog;
    const QString strFile = folder.filePath(QStringLiteral("work.velmora"));
    dialog.answers = {strFile};
    Item(main, "mnuSave")->trigger();
    // Each change marks the title; undoing it takes the mark away.
    main.Text()->setText(QStringLiteral("x"));
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QVERIFY(main.window->isWindowModified());
    main.List()->clear();
    QVERIFY(!main.window->isWindowModified());
    main.Control<QRadioButton>("optPolar")->click();
    QVERIFY(main.window->isWindowModified());
    // Cancel keeps the window and the change; Discard lets it go; Save
    // writes it first.
    main.messages.ScriptAnswer(MessageAnswer::Cancel);
    QVERIFY(!main.window->close());
    QCOMPARE(main.messages.messages.last().strText, QStringLiteral("Save changes to work.velmora?"));
    QCOMPARE(main.messages.messages.last().buttons, MessageButtons::SaveDiscardCancel);
    main.messages.ScriptAnswer(MessageAnswer::Discard);
    Item(main, "mnuNew")->trigger();
    QVERIFY(!main.Control<QRadioButton>("optPolar")->isChecked());
    QCOMPARE(main.messages.messages.size(), 2);
    // New leaves the session: nothing more is asked.
    main.Control<QRadioButton>("optPolar")->click();
    QVERIFY(main.window->close());
    main.window = nullptr;
    QCOMPARE(main.messages.messages.size(), 2);
    QVERIFY(std::get<Session>(OpenSessionFile(strFile)).bPolar == false);
}

void tst_Session::recentSessions()
{
    QTemporaryDir folder;
    MainWindow main;
    ScriptedSaveDialog dialog;
    QStringList files;
    for (int i = 0; i < 9; ++i) {
        files.prepend(folder.filePath(QStringLiteral("s%1.velmora").arg(i)));
        dialog.answers = {files.first()};
        Item(main, "mnuSaveAs")->trigger();
    }
    // The last eight, the newest first.
    QCOMPARE(QSettings().value("recentSessions").toStringList(), files.mid(0, 8));
    main.List()->addItem(QStringLiteral("x"));
    QVERIFY(QFile::remove(files[1]));
    QCoreApplication::processEvents();
    Item(main, "mnuRecent_1")->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(main.messages.messages.size(), 1);
    QVERIFY(main.messages.messages[0].strText.contains(QStringLiteral("is no longer there")));
    QCOMPARE(QSettings().value("recentSessions").toStringList().size(), 7);
    QCOMPARE(main.List()->count(), 1);
    main.messages.ScriptAnswer(MessageAnswer::Discard);
    Item(main, "mnuRecent_2")->trigger();
    QCOMPARE(main.messages.messages.last().strText, QStringLiteral("Save changes to s8.velmora?"));
    QCOMPARE(main.List()->count(), 0);
    QCOMPARE(main.window->windowTitle(), QStringLiteral("s5.velmora[*] - Velmora"));
}

QTEST_MAIN(tst_Session)
#include "tst_session.moc"
