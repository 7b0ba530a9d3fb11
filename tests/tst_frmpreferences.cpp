#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>

#include "MainWindowFixture.h"
#include "Settings.h"
#include "frmGraph.h"
#include "frmPreferences.h"

namespace {

// The boxes in tab order.
const char* const kBoxes[] = {"txtStartX", "txtEndX",   "txtDivisionsX",      "txtStartY",
                              "txtEndY",   "txtDivisionsY", "txtPolarSensitivity"};

bool SameSettings(const ViewSettings& a, const ViewSettings& b)
{
    return a.dScaleX == b.dScaleX && a.dScaleY == b.dScaleY && a.dOriginX == b.dOriginX && a.dOriginY == b.dOriginY
        && a.iDivisionsX == b.iDivisionsX && a.iDivisionsY == b.iDivisionsY && a.bGrids == b.bGrids
        && a.iPolarSensitivity == b.iPolarSensitivity;
}

// The preferences dialog opened from the main window's button.
struct PreferencesDialog {
    MainWindow main;
    QPointer<QWidget> dialog;

    PreferencesDialog()
    {
        main.Show();
        Open();
    }
    void Open()
    {
        main.Click("Command2");
        dialog = main.modal.forms.isEmpty() ? nullptr : main.modal.forms.last().data();
        if (!dialog || dialog->objectName() != QLatin1String("frmPreferences"))
            qFatal("the preferences dialog did not open");
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == dialog; }))
            qFatal("the preferences dialog did not become active");
    }
    QLineEdit* Box(const char* pszName) const { return dialog->findChild<QLineEdit*>(QLatin1String(pszName)); }
    QCheckBox* Grids() const { return dialog->findChild<QCheckBox*>(QStringLiteral("chkGrids")); }
    QStringList Texts() const
    {
        QStringList texts;
        for (const char* pszName : kBoxes)
            texts.append(Box(pszName)->text());
        return texts;
    }
    // Replaces a box's text the way a user does: select it all and type.
    void Type(const char* pszName, const QString& strText) const
    {
        QLineEdit* pBox = Box(pszName);
        pBox->setFocus();
        QTest::keyClick(pBox, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(pBox, Qt::Key_Delete);
        QTest::keyClicks(pBox, strText);
    }
    void Click(const char* pszName) const
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(pszName)), Qt::LeftButton);
    }
};

} // namespace

Q_DECLARE_METATYPE(ViewSettings)

class tst_frmPreferences : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layout();
    void controls_data();
    void controls();
    void shownOnOpening_data();
    void shownOnOpening();
    void save_data();
    void save();
    void leavingWithoutSaving_data();
    void leavingWithoutSaving();
    void enterInABoxPressesNothing();
    void rangeSelectorFromTheGraphWindow();
};

void tst_frmPreferences::init()
{
    QLocale::setDefault(QLocale::c());
}

void tst_frmPreferences::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void tst_frmPreferences::layout()
{
    PreferencesDialog preferences;
    QCOMPARE(preferences.dialog->windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(preferences.dialog->size(), QSize(413, 210));
    auto* pFrame = preferences.dialog->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    QVERIFY(pFrame->font().bold());
    QVERIFY(!preferences.dialog->findChild<QLabel*>(QStringLiteral("Label6"))->font().bold());
    QCOMPARE(preferences.Box("txtEndY")->accessibleName(), QStringLiteral("Y-axis End"));
    QCOMPARE(preferences.dialog->findChild<QPushButton*>(QStringLiteral("cmdExit"))->text(),
             QStringLiteral("&Save && Exit"));

    // The focus starts in the first box and Tab walks the boxes, the check
    // box and the three buttons in order.
    QCOMPARE(QApplication::focusWidget(), preferences.Box("txtStartX"));
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        visited.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{kBoxes[0], kBoxes[1], kBoxes[2], kBoxes[3], kBoxes[4], kBoxes[5], kBoxes[6],
                                   "chkGrids", "cmdReset", "cmdExit", "Command1"}));
}

void tst_frmPreferences::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("caption"); // empty for the text boxes
    QTest::addColumn<QRect>("twips");     // left, top, width, height

    const auto row = [](const char* pszName, const char* pszParent, const char* pszCaption, QRect twips) {
        QTest::newRow(pszName) << QString::fromLatin1(pszName) << QString::fromLatin1(pszParent)
                               << QString::fromLatin1(pszCaption) << twips;
    };
    row("txtStartX", "Frame1", "", {1350, 330, 690, 285});
    row("txtEndX", "Frame1", "", {1350, 645, 690, 285});
    row("txtDivisionsX", "Frame1", "", {1350, 960, 690, 285});
    row("txtStartY", "Frame2", "", {1425, 315, 690, 285});
    row("txtEndY", "Frame2", "", {1425, 690, 690, 285});
    row("txtDivisionsY", "Frame2", "", {1425, 1020, 690, 285});
    row("txtPolarSensitivity", "frmPreferences", "", {1650, 2025, 915, 285});
    row("chkGrids", "frmPreferences", "Show Grids", {3600, 2055, 1320, 270});
    row("cmdReset", "frmPreferences", "&Restore default values", {165, 2535, 1785, 405});
    row("cmdExit", "frmPreferences", "&Save && Exit", {2280, 2505, 1725, 405});
    row("Command1", "frmPreferences", "&Cancel", {4185, 2535, 1725, 405});
    row("Label5", "frmPreferences", "Polar Sensitivity", {285, 2010, 1380, 270});
    row("Frame1", "frmPreferences", "X-axis", {285, 390, 2280, 1470});
    row("Label4", "Frame1", "No. of divisions", {195, 975, 1200, 270});
    row("Label6", "Frame1", "Start", {195, 360, 1200, 270});
    row("Label7", "Frame1", "End", {195, 660, 1200, 270});
    row("Frame2", "frmPreferences", "Y-axis", {3570, 390, 2280, 1470});
    row("Label10", "Frame2", "End", {165, 675, 1200, 270});
    row("Label9", "Frame2", "Start", {165, 300, 1200, 270});
    row("Label8", "Frame2", "No. of divisions", {180, 990, 1200, 270});
}

void tst_frmPreferences::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    std::unique_ptr<frmPreferences> pDialog(new frmPreferences);
    pDialog->show();
    const QWidget* pControl = pDialog->findChild<QWidget*>(name);
    QVERIFY(pControl);
    QCOMPARE(pControl->parentWidget()->objectName(), parent);
    // 15 twips to the pixel.
    QCOMPARE(pControl->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    if (!caption.isEmpty()) {
        const auto* pFrame = qobject_cast<const QGroupBox*>(pControl);
        QCOMPARE(pFrame ? pFrame->title() : pControl->property("text").toString(), caption);
    }
}

void tst_frmPreferences::shownOnOpening_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<ViewSettings>("settings");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("grids");

    QTest::newRow("defaults") << "C" << ViewSettings{10, 10, 0, 0, 5, 5, false, 100, false, true}
                              << QStringList{"-10", "10", "5", "-10", "10", "5", "100"} << false;
    QTest::newRow("stored range") << "C" << ViewSettings{10, 0.25, 10, -0.5, 2, 7, true, 1001, false, true}
                                  << QStringList{"0", "20", "2", "-0.75", "-0.25", "7", "1001"} << true;
    QTest::newRow("large whole numbers") << "C" << ViewSettings{1e6, 1e20, 0, 0, 5, 5, false, 100, false, true}
                                         << QStringList{"-1000000", "1000000", "5", "-1E+20", "1E+20", "5", "100"}
                                         << false;
    QTest::newRow("decimal comma") << "de_DE" << ViewSettings{0.5, 1.25, 0, 0, 5, 5, false, 100, false, true}
                                   << QStringList{"-0,5", "0,5", "5", "-1,25", "1,25", "5", "100"} << false;
}

void tst_frmPreferences::shownOnOpening()
{
    QFETCH(QString, locale);
    QFETCH(ViewSettings, settings);
    QFETCH(QStringList, texts);
    QFETCH(bool, grids);

    QLocale::setDefault(QLocale(locale));
    MainWindow main;
    main.Show();
    gViewSettings = settings;
    main.Click("Command2");
    QWidget* pDialog = main.modal.forms.last();
    QStringList shown;
    for (const char* pszName : kBoxes)
        shown.append(pDialog->findChild<QLineEdit*>(QLatin1String(pszName))->text());
    QCOMPARE(shown, texts);
    QCOMPARE(pDialog->findChild<QCheckBox*>(QStringLiteral("chkGrids"))->isChecked(), grids);
}

void tst_frmPreferences::save_data()
{
    // Edits are "box=text"; "chkGrids" ticks the check box.
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    // The record after saving: scale x, origin x, scale y, origin y,
    // divisions x, divisions y, sensitivity, grids. Empty when nothing may
    // be stored and the dialog must stay open.
    QTest::addColumn<QList<double>>("stored");

    const int iNone = int(MessageIcon::None), iError = int(MessageIcon::Critical),
              iInfo = int(MessageIcon::Information);
    QTest::newRow("defaults") << QStringList{} << "" << iNone << QList<double>{10, 0, 10, 0, 5, 5, 100, 0};
    QTest::newRow("0 to 20") << QStringList{"txtStartX=0", "txtEndX=20"} << "" << iNone
                             << QList<double>{10, 10, 10, 0, 5, 5, 100, 0};
    QTest::newRow("start above end") << QStringList{"txtStartX=5", "txtEndX=-5"} << "" << iNone
                                     << QList<double>{-5, 0, 10, 0, 5, 5, 100, 0};
    QTest::newRow("y and grid") << QStringList{"txtStartY=-1.5", "txtEndY=2.5", "chkGrids"} << "" << iNone
                                << QList<double>{10, 0, 2, 0.5, 5, 5, 100, 1};
    QTest::newRow("halves to even") << QStringList{"txtDivisionsX=5.5", "txtDivisionsY=4.5", "txtPolarSensitivity=2.5"}
                                    << "" << iNone << QList<double>{10, 0, 10, 0, 6, 4, 2, 0};
    QTest::newRow("sensitivity 1000") << QStringList{"txtPolarSensitivity=1000"} << "" << iNone
                                      << QList<double>{10, 0, 10, 0, 5, 5, 1000, 0};
    QTest::newRow("sensitivity 1001") << QStringList{"txtPolarSensitivity=1001"}
                                      << "Polar sensitivity is too high which may slow the application" << iInfo
                                      << QList<double>{10, 0, 10, 0, 5, 5, 1001, 0};

    const QString strEqual = QStringLiteral("Invalid starting and ending range specified");
    QTest::newRow("equal x") << QStringList{"txtStartX=3", "txtEndX=3"} << strEqual << iError << QList<double>{};
    QTest::newRow("equal y") << QStringList{"txtStartY=3", "txtEndY=3.0"} << strEqual << iError << QList<double>{};
    QTest::newRow("word") << QStringList{"txtStartX=abc"} << "X-axis Start must be a number." << iError
                          << QList<double>{};
    QTest::newRow("empty") << QStringList{"txtEndY="} << "Y-axis End must be a number." << iError
                           << QList<double>{};
    QTest::newRow("infinity") << QStringList{"txtStartY=inf"} << "Y-axis Start must be a number." << iError
                              << QList<double>{};
    QTest::newRow("no divisions") << QStringList{"txtDivisionsX=0"}
                                  << "X-axis No. of divisions must be a number from 1 to 32767." << iError
                                  << QList<double>{};
    QTest::newRow("beyond 16 bits") << QStringList{"txtDivisionsY=32768"}
                                    << "Y-axis No. of divisions must be a number from 1 to 32767." << iError
                                    << QList<double>{};
    QTest::newRow("sensitivity rounds to 0") << QStringList{"txtPolarSensitivity=0.4"}
                                             << "Polar Sensitivity must be a number from 1 to 32767." << iError
                                             << QList<double>{};
    QTest::newRow("too narrow") << QStringList{"txtStartX=1e-12", "txtEndX=2e-12"}
                                << "The X-axis range from Start to End is too small or too large to draw." << iError
                                << QList<double>{};
    QTest::newRow("too narrow for its centre") << QStringList{"txtStartY=1e15", "txtEndY=1.00000000001e15"}
                                               << "The Y-axis range from Start to End is too small or too large to draw."
                                               << iError << QList<double>{};
    // A group separator is never read as one, in either locale.
    QTest::newRow("grouping point in a comma locale") << QStringList{"locale=de_DE", "txtEndX=2.500"} << "" << iNone
                                                      << QList<double>{6.25, -3.75, 10, 0, 5, 5, 100, 0};
    QTest::newRow("grouping comma") << QStringList{"txtEndX=1,000"} << "X-axis End must be a number." << iError
                                    << QList<double>{};
    QTest::newRow("too wide") << QStringList{"txtStartX=-1e308", "txtEndX=1e308"}
                              << "The X-axis range from Start to End is too small or too large to draw." << iError
                              << QList<double>{};
}

void tst_frmPreferences::save()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QList<double>, stored);

    PreferencesDialog preferences;
    preferences.Click("cmdReset");
    for (const QString& strEdit : edits) {
        if (strEdit == QLatin1String("chkGrids")) {
            QTest::mouseClick(preferences.Grids(), Qt::LeftButton, {}, QPoint(6, preferences.Grids()->height() / 2));
            continue;
        }
        const QStringList parts = strEdit.split(QLatin1Char('='));
        if (parts[0] == QLatin1String("locale")) {
            QLocale::setDefault(QLocale(parts[1]));
            continue;
        }
        preferences.Type(parts[0].toLatin1().constData(), parts[1]);
    }
    const QStringList typed = preferences.Texts();
    gViewSettings.dScaleX = 7; // so that a refused save shows as an untouched record
    const ViewSettings before = gViewSettings;
    preferences.Click("cmdExit");

    if (message.isEmpty()) {
        QVERIFY(preferences.main.messages.messages.isEmpty());
    } else {
        QCOMPARE(preferences.main.messages.messages.size(), 1);
        const MessageRequest& request = preferences.main.messages.messages.first();
        QCOMPARE(request.strText, message);
        QCOMPARE(int(request.icon), icon);
        QCOMPARE(request.buttons, MessageButtons::OK);
        QCOMPARE(request.strCaption, QStringLiteral("Velmora"));
    }
    if (stored.isEmpty()) {
        QVERIFY(preferences.dialog);
        QVERIFY(SameSettings(gViewSettings, before));
        QCOMPARE(preferences.Texts(), typed);
        return;
    }
    QTRY_VERIFY(!preferences.dialog);
    const ViewSettings& s = gViewSettings;
    QCOMPARE((QList<double>{s.dScaleX, s.dOriginX, s.dScaleY, s.dOriginY, double(s.iDivisionsX),
                            double(s.iDivisionsY), double(s.iPolarSensitivity), double(s.bGrids)}),
             stored);

    // Opening the dialog again shows what was saved (as typed, where the
    // locale writes numbers as the row typed them).
    if (QLocale().decimalPoint() != QLatin1String("."))
        return;
    preferences.Open();
    QStringList expected = typed;
    expected[2] = QString::number(stored[4]);
    expected[5] = QString::number(stored[5]);
    expected[6] = QString::number(stored[6]);
    QCOMPARE(preferences.Texts(), expected);
}

void tst_frmPreferences::leavingWithoutSaving_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Command1";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close";
}

void tst_frmPreferences::leavingWithoutSaving()
{
    QFETCH(QString, how);
    PreferencesDialog preferences;
    gViewSettings.dScaleX = 3;
    gViewSettings.bGrids = true;
    const ViewSettings before = gViewSettings;
    preferences.Click("cmdReset");
    preferences.Type("txtEndX", QStringLiteral("99"));
    if (how == QLatin1String("Esc"))
        QTest::keyClick(preferences.Box("txtEndX"), Qt::Key_Escape);
    else if (how == QLatin1String("close"))
        preferences.dialog->close();
    else
        preferences.Click("Command1");
    QTRY_VERIFY(!preferences.dialog);
    QVERIFY(SameSettings(gViewSettings, before));
    QVERIFY(preferences.main.messages.messages.isEmpty());
    // The main window is active again, with the focus in its text box.
    QCOMPARE(QApplication::focusWidget(), preferences.main.Text());
}

void tst_frmPreferences::enterInABoxPressesNothing()
{
    PreferencesDialog preferences;
    preferences.Type("txtStartX", QStringLiteral("1"));
    for (const char* pszName : {"txtStartX", "txtPolarSensitivity"}) {
        QTest::keyClick(preferences.Box(pszName), Qt::Key_Return);
        QTest::keyClick(preferences.Box(pszName), Qt::Key_Enter, Qt::KeypadModifier);
    }
    QVERIFY(preferences.dialog);
    QCOMPARE(preferences.Box("txtStartX")->text(), QStringLiteral("1"));
    QVERIFY(preferences.main.messages.messages.isEmpty());
}

void tst_frmPreferences::rangeSelectorFromTheGraphWindow()
{
    PreferencesDialog preferences;
    preferences.Click("Command1");
    MainWindow& main = preferences.main;
    main.Enter(QStringLiteral("x"));
    main.Click("cmdDraw");
    QPointer<frmGraph> graph = qobject_cast<frmGraph*>(main.modal.forms.last());
    QVERIFY(graph);
    QVERIFY(QTest::qWaitFor([&] { return graph->findChild<QComboBox*>()->count() > 0; }));

    // A zoomed view is not what the dialog shows: it shows the stored range.
    graph->findChild<QAction*>(QStringLiteral("mnuZoomIn"))->trigger();
    QVERIFY(graph->View().dScaleX != 10);
    graph->findChild<QAction*>(QStringLiteral("mnuRangeSelector"))->trigger();
    preferences.dialog = main.modal.forms.last();
    QCOMPARE(preferences.dialog->objectName(), QStringLiteral("frmPreferences"));
    QCOMPARE(preferences.Texts().mid(0, 2), (QStringList{"-10", "10"}));

    preferences.Type("txtStartX", QStringLiteral("0"));
    preferences.Type("txtEndX", QStringLiteral("4"));
    preferences.Type("txtDivisionsY", QStringLiteral("2"));
    preferences.Click("cmdExit");
    QTRY_VERIFY(!preferences.dialog);
    QCOMPARE(graph->View().dScaleX, 2.0);
    QCOMPARE(graph->View().dOriginX, 2.0);
    QCOMPARE(graph->View().iDivisionsY, 2);

    // The windows going away while the dialog is open (the program ending)
    // takes the dialog with them, and nothing calls back into them.
    graph->findChild<QAction*>(QStringLiteral("mnuRangeSelector"))->trigger();
    preferences.dialog = main.modal.forms.last();
    delete main.window;
    QVERIFY(!preferences.dialog);
    QVERIFY(!graph);
}

QTEST_MAIN(tst_frmPreferences)
#include "tst_frmpreferences.moc"
