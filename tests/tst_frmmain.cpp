#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "DisplayDouble.h"
#include "MainWindowFixture.h"
#include "ModalForm.h"
#include "RecordedMessages.h"
#include "Settings.h"
#include "frmAbout.h"
#include "frmGraph.h"
#include "frmMain.h"

namespace {

const QString kBracketMessage = QStringLiteral("Invalid brackets encountered");

} // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void tabOrder();
    void loadStepOrder();
    void focusOnActivation();
    void activationFromAWindowBeside_data();
    void activationFromAWindowBeside();
    void clicksAroundTheAboutBoxBeside();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void drawOpensGraphModally();
    void windowsOverTheGraph_data();
    void windowsOverTheGraph();

    void typedText_data();
    void typedText();
    void enterButtonAndKeyAgree();
    void optimizeSwitch_data();
    void optimizeSwitch();

    void editTakesSelectedOrLast();
    void removeLeavesNoSelection();
    void clearListAndExpression();
    void addSample();
    void samplesFile_data();
    void samplesFile();

    void refusesTooLongOrFullList();

    void displayCheck_data();
    void displayCheck();
};

void tst_frmMain::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("bold");

    auto row = [](const char* pszName, const char* pszKind, const char* pszCaption, QRect twips, bool bBold = false) {
        QTest::newRow(pszName) << QString::fromLatin1(pszName) << QString::fromLatin1(pszKind)
                               << QString::fromLatin1(pszCaption) << twips << bBold;
    };
    row("cmdDraw", "QPushButton", "&Draw Graph", {6975, 4455, 1620, 465}, true);
    row("lstExpression", "QListWidget", "", {3120, 3105, 3405, 1230});
    row("lblExpressions", "QLabel", "Expression(s) to plot", {3090, 2640, 2295, 255}, true);
    row("frmMode", "QGroupBox", "Graph Mode", {6930, 2955, 1695, 1335});
    row("cmdExit", "QPushButton", "E&xit", {6840, 120, 1770, 375});
    row("cmdClearList", "QPushButton", "Clear List", {3120, 4455, 1620, 465});
    row("lstSample", "QListWidget", "", {375, 3090, 1935, 1815});
    row("lblSample", "QLabel", "Sample Expressions", {420, 2790, 1815, 270});
    row("cmdAbout", "QPushButton", "&About", {6855, 750, 1770, 375});
    row("txtExpression", "QLineEdit", "", {1710, 1995, 4800, 285});
    row("lblExpression", "QLabel", "Expression", {495, 1980, 975, 225});
    row("cmdAddSample", "QPushButton", "", {2430, 3510, 510, 555});
    row("cmdRemoveExp", "QPushButton", "Remove Expression", {4905, 4455, 1650, 465});
    row("Command2", "QPushButton", "&Preferences", {6840, 1365, 1770, 375});
    row("cmdEnter", "QPushButton", "", {5310, 2415, 555, 555});
    row("cmdEdit", "QPushButton", "", {5940, 2415, 555, 555});
    row("optPolar", "QRadioButton", "Polar", {240, 825, 1215, 255});
    row("optRectangular", "QRadioButton", "Rectangular", {240, 450, 1215, 255});
    row("cmdClear", "QPushButton", "&Clear Expression", {6840, 1950, 1770, 330});
    row("chkNoOptimize", "QCheckBox", "Do not optimize equations", {6645, 2505, 2220, 315});
}

void tst_frmMain::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, bold);

    MainWindow main;
    QCOMPARE(main.window->windowTitle(), QStringLiteral("Velmora"));
    QCOMPARE(main.window->centralWidget()->size(), QSize(598, 355));

    auto* pControl = main.window->findChild<QWidget*>(name);
    QVERIFY(pControl);
    QVERIFY2(pControl->inherits(qPrintable(kind)), pControl->metaObject()->className());
    QCOMPARE(pControl->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QString strCaption;
    if (auto* pButton = qobject_cast<QAbstractButton*>(pControl))
        strCaption = pButton->text();
    else if (auto* pLabel = qobject_cast<QLabel*>(pControl))
        strCaption = pLabel->text();
    else if (auto* pFrame = qobject_cast<QGroupBox*>(pControl))
        strCaption = pFrame->title();
    QCOMPARE(strCaption, caption);
    QCOMPARE(pControl->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(pControl->font().pointSizeF(), 8.25);
    QCOMPARE(pControl->font().bold(), bold);
    if (strCaption.isEmpty() && kind == QLatin1String("QPushButton"))
        QVERIFY(!static_cast<QPushButton*>(pControl)->icon().isNull());
    QVERIFY(!pControl->accessibleName().isEmpty() || !strCaption.isEmpty());
}

void tst_frmMain::tabOrder()
{
    MainWindow main;
    main.Show();
    main.Button("cmdDraw")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 60 && (i == 0 || visited.last() != QLatin1String("cmdDraw")); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // The option buttons form one stop, at the selected one; the keypad
    // comes last, row by row.
    QStringList expected{"cmdDraw", "lstExpression", "cmdExit", "cmdClearList", "lstSample", "cmdAbout",
                         "txtExpression", "cmdAddSample", "cmdRemoveExp", "Command2", "cmdEnter", "cmdEdit",
                         "optRectangular", "cmdClear", "chkNoOptimize"};
    for (int iKey : {0, 6, 5, 4, 3, 20, 38, 37, 36, 35, 34, 2, 1, 19, 18, 17, 33, 32, 31, 30, 29, 28,
                     16, 15, 14, 12, 13, 27, 26, 25, 24, 23, 22, 11, 10, 9, 8, 7, 21, 39, 40, 41, 42, 43})
        expected.append(QStringLiteral("cmdExpButton_%1").arg(iKey));
    expected.append("cmdDraw");
    QCOMPARE(visited, expected);

    auto* pPolar = main.Control<QRadioButton>("optPolar");
    QTest::mouseClick(pPolar, Qt::LeftButton);
    main.Button("cmdEdit")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pPolar);
    main.Button("cmdClear")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), pPolar);
}

void tst_frmMain::loadStepOrder()
{
    // The display check runs before the defaults are set; the defaults and
    // the rectangular mode are in place afterwards.
    gViewSettings = ViewSettings{};
    QTemporaryDir folder;
    DisplayDouble display(800, 600);
    struct ScaleAtMessage : ServiceStandIn<MessageService> {
        MessageAnswer Ask(const MessageRequest&) override
        {
            dScale = gViewSettings.dScaleX;
            return MessageAnswer::No;
        }
        double dScale = -1;
    };
    double dScaleAtMessage = -1;
    std::unique_ptr<frmMain> window;
    {
        ScaleAtMessage message;
        window.reset(new frmMain(QStringList{folder.path()}));
        dScaleAtMessage = message.dScale;
    }

    QCOMPARE(dScaleAtMessage, 0.0);
    QCOMPARE(gViewSettings.dScaleX, 10.0);
    QCOMPARE(gViewSettings.dScaleY, 10.0);
    QCOMPARE(gViewSettings.dOriginX, 0.0);
    QCOMPARE(gViewSettings.dOriginY, 0.0);
    QCOMPARE(gViewSettings.iDivisionsX, 5);
    QCOMPARE(gViewSettings.iDivisionsY, 5);
    QCOMPARE(gViewSettings.bGrids, false);
    QCOMPARE(gViewSettings.iPolarSensitivity, 100);
    QCOMPARE(gViewSettings.bAnimate, true);
    QCOMPARE(gViewSettings.bOptimize, true);
    QVERIFY(window->findChild<QRadioButton*>("optRectangular")->isChecked());
    QVERIFY(!window->findChild<QRadioButton*>("optPolar")->isChecked());
    QVERIFY(!window->findChild<QCheckBox*>("chkNoOptimize")->isChecked());
    QCOMPARE(window->findChild<QListWidget*>("lstSample")->count(), 0);
}

void tst_frmMain::focusOnActivation()
{
    MainWindow main;
    main.Show();
    QCOMPARE(QApplication::focusWidget(), main.Text());
    MainWindow::ClickRow(main.Samples(), 0);
    QCOMPARE(QApplication::focusWidget(), main.Samples());
    main.window->Form_Activate();
    QCOMPARE(QApplication::focusWidget(), main.Text());
}

void tst_frmMain::activationFromAWindowBeside_data()
{
    QTest::addColumn<bool>("form");
    QTest::newRow("a form of ours") << true;
    QTest::newRow("a message box or file dialog") << false;
}

void tst_frmMain::activationFromAWindowBeside()
{
    QFETCH(bool, form);
    MainWindow main;
    main.Show();
    MainWindow::ClickRow(main.Samples(), 0);
    QLineEdit beside;
    if (form)
        MarkAsForm(&beside);
    beside.show();
    beside.activateWindow();
    beside.setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&beside));

    // Coming back from another form of ours is an activation; coming back
    // from anything else is not, and the focus returns where it was.
    main.window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), main.window.data());
    QCOMPARE(QApplication::focusWidget(), form ? static_cast<QWidget*>(main.Text()) : main.Samples());
}

void tst_frmMain::clicksAroundTheAboutBoxBeside()
{
    MainWindow main;
    main.Show();
    main.Click("cmdAbout");
    QPointer<QWidget> about = frmAbout::Instance();
    QTRY_COMPARE(QApplication::activeWindow(), about.data());

    // A press that makes the main window active again still clicks; the
    // focus goes to the text box once the button is up.
    auto* pCheck = main.Control<QCheckBox>("chkNoOptimize");
    QTest::mousePress(pCheck, Qt::LeftButton);
    main.window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), main.window.data());
    QTest::mouseRelease(pCheck, Qt::LeftButton);
    QVERIFY(pCheck->isChecked());
    QTRY_COMPARE(QApplication::focusWidget(), main.Text());

    // OK hands the activation straight back to the main window.
    MainWindow::ClickRow(main.Samples(), 0);
    about->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), about.data());
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(main.window->focusWidget(), main.Text());
    QTRY_VERIFY(!about);
}

void tst_frmMain::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    const auto row = [](const char* pszWindow, const char* pszButton, Qt::Key key) {
        QTest::addRow("%s %s %s", pszWindow, pszButton, key == Qt::Key_Enter ? "keypad Enter" : "Return")
            << QString::fromLatin1(pszWindow) << QString::fromLatin1(pszButton) << int(key);
    };
    row("frmMain", "cmdDraw", Qt::Key_Return);
    row("frmMain", "cmdClearList", Qt::Key_Enter);
    row("frmMain", "cmdRemoveExp", Qt::Key_Return);
    row("frmMain", "cmdEnter", Qt::Key_Enter);
    row("frmGraph", "cmdReturn", Qt::Key_Return);
    row("frmGraph", "cmdMoveLeft", Qt::Key_Enter);
    row("frmPreferences", "cmdReset", Qt::Key_Return);
    row("frmPreferences", "cmdExit", Qt::Key_Enter);
    row("frmPreferences", "Command1", Qt::Key_Return);
}

void tst_frmMain::enterPressesTheFocusedButton()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(int, key);
    MainWindow main;
    main.Show();
    QWidget* pWindow = main.window;
    if (window != QLatin1String("frmMain")) {
        main.Click(window == QLatin1String("frmGraph") ? "cmdDraw" : "Command2");
        pWindow = main.modal.forms.last();
        QTRY_VERIFY(pWindow->isActiveWindow());
    }
    auto* pButton = pWindow->findChild<QPushButton*>(button);
    pButton->setFocus();
    QSignalSpy clicks(pButton, &QAbstractButton::clicked);
    // Held down: a second press before the release.
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyPress(pButton, Qt::Key(key), modifiers);
    QTest::keyPress(pButton, Qt::Key(key), modifiers);
    QTest::keyRelease(pButton, Qt::Key(key), modifiers);
    QCOMPARE(clicks.count(), 1);
}

void tst_frmMain::drawOpensGraphModally()
{
    MainWindow main;
    main.Show();
    main.Enter(QStringLiteral("x^2"));
    main.Enter(QStringLiteral("sin(x)"));
    main.Control<QRadioButton>("optPolar")->setChecked(true);
    main.Click("cmdDraw");

    QCOMPARE(main.modal.forms.size(), 1);
    auto* pGraph = qobject_cast<frmGraph*>(main.modal.forms.first().data());
    QVERIFY(pGraph);
    QVERIFY(pGraph->View().bModePolar);
    auto* pChooser = pGraph->findChild<QComboBox*>(QStringLiteral("cmbExps"));
    QTRY_COMPARE(pChooser->count(), 3);
    QCOMPARE(pChooser->itemText(2), main.Entries().at(1));

    // Closing the graph window makes the main window active again.
    main.Text()->clearFocus();
    pGraph->close();
    QTRY_VERIFY(main.modal.forms.first().isNull());
    QTRY_VERIFY(main.Text()->hasFocus());
}

void tst_frmMain::windowsOverTheGraph_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("range selector") << "mnuRangeSelector" << "frmPreferences";
    QTest::newRow("compare") << "mnuCompareExpressions" << "frmValue";
    QTest::newRow("about") << "mnuAbout" << "frmAbout";
}

void tst_frmMain::windowsOverTheGraph()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    MainWindow main;
    main.Show();
    main.Enter(QStringLiteral("x"));
    // An About box beside the main window makes way for the graph window's
    // and stays beside the others.
    main.Click("cmdAbout");
    QPointer<QWidget> besideAbout = frmAbout::Instance();
    QVERIFY(besideAbout);
    QTRY_COMPARE(QApplication::activeWindow(), besideAbout.data());
    QVERIFY(main.modal.forms.isEmpty());

    main.Click("cmdDraw");
    auto* pGraph = qobject_cast<frmGraph*>(main.modal.forms.last().data());
    QTRY_COMPARE(pGraph->findChild<QComboBox*>()->count(), 2);
    pGraph->findChild<QAction*>(QStringLiteral("mnuZoomIn"))->trigger();
    QCOMPARE(pGraph->View().dScaleX, 9.0);

    pGraph->findChild<QAction*>(command)->trigger();
    QPointer<QWidget> opened = main.modal.forms.last();
    QCOMPARE(opened->objectName(), window);
    QCOMPARE(opened->parentWidget(), pGraph);
    if (window == QLatin1String("frmAbout"))
        QTRY_VERIFY(!besideAbout);

    // Closing it re-initialises the graph window from the stored view.
    QTest::keyClick(opened, Qt::Key_Escape);
    QTRY_VERIFY(!opened);
    QCOMPARE(pGraph->View().dScaleX, 10.0);
    pGraph->close();
}

void tst_frmMain::typedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");   // empty: nothing is added
    QTest::addColumn<QString>("message");  // empty: none is shown
    QTest::addColumn<QString>("selected"); // what a refusal leaves selected in the box

    const struct {
        const char* pszTyped;
        const char* pszListed;
    } rows[] = {
        {"x^2+2x+1", "x^2+(2*x)+1"},
        {"2x", "2*x"},
        {"1+2.5x+3", "1+(2.5*x)+3"},
        {"1/2x", "1/2*x"},
        {"1/2x+1", "1/(2*x)+1"},
        {"x2", "x*2"},
        {"xx", "x*x"},
        {"2pi", "2*pi"},
        {"x(x+1)", "x*(x+1)"},
        {"2(x+1)", "2*(x+1)"},
        {"(x+1)2", "(x+1)*2"},
        {"sinx", "sin (x)"},
        {"sin x", "sin (x)"},
        {"sin(x", "sin (x)"},
        {"sin2x", "sin (2)*x"},
        {"2sinx", "2*sin (x)"},
        {"xsinx", "x*sin (x)"},
        {"x^2sinx", "x^2*sin (x)"},
        {"exp(x)", "exp (x)"},
        {"arcsinh x", "arcsinh (x)"},
        {"cosec x", "cosec (x)"},
        {"antilog2", "antilog (2)"},
        {"sin abs(x)+1", "sin (abs (x))+1"},
        {"2x^2+3x-5", "2*x^2+(3*x)-5"},
        {"1e3x", "1e3*x"},
        {"x+-1", "x+-1"},
        {"-x^2", "-x^2"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.pszTyped) << QString::fromLatin1(row.pszTyped) << QString::fromLatin1(row.pszListed)
                                    << QString() << QString();
    const QString strSign = QStringLiteral("\"%1\" puts a sign right after an operator, which would take the "
                                           "operator's place. Write \"%2\" for a sign after an operator.");
    const struct {
        const char* pszTyped;
        QString strMessage;
        const char* pszSelected;
    } refused[] = {
        {")x(", kBracketMessage, ""},
        {"x)+(1", kBracketMessage, ""},
        {"x*-1", strSign.arg("*-", "x*(-1)"), "*-"},
        {"2 ^ - x", strSign.arg("^ -", "2^(-x)"), "^ -"},
        {"pi2", QStringLiteral("\"pi2\" is not a number, x or pi. Write \"pi*2\" for a product."), "pi2"},
        {"(x+1)(x-1)",
         QStringLiteral("An operator is missing between \")\" and \"(\". Write \"(x+1)*(x-1)\" for a product."), ")("},
        {"sin(x)cos(x)",
         QStringLiteral("An operator is missing between \")\" and \"c\". Write \"sin(x)*cos(x)\" for a product."),
         ")c"},
        {"sin", QStringLiteral("\"sin\" has no argument. Write \"sin(x)\" with the argument in brackets."), "sin"},
        {"sin-x", QStringLiteral("\"sin\" has no argument. Write \"sin(x)\" with the argument in brackets."), "sin"},
        {"2x+", QStringLiteral("\"+\" has nothing after it. Finish the expression, or remove the \"+\"."), "+"},
        {"srt(x)", QStringLiteral("\"srt\" is not x, pi or the name of a function. Write \"sqrt(x)\" instead."), "srt"},
        {"e^x", QStringLiteral("\"e\" is not x, pi or the name of a function. Write \"exp(x)\" instead."), "e"},
        {"3e-2x",
         QStringLiteral("In \"3e-2\" the sign after the e would be read as an operator. Write \"0.03\" for "
                        "this number."),
         "3e-2"},
        {"2,5x", QStringLiteral("\",\" cannot be part of an expression. Write \".\" instead."), ","},
    };
    for (const auto& row : refused)
        QTest::newRow(row.pszTyped) << QString::fromLatin1(row.pszTyped) << QString() << row.strMessage
                                    << QString::fromLatin1(row.pszSelected);
    QTest::newRow("2×x") << QStringLiteral("2×x") << QString()
                         << QStringLiteral("\"×\" cannot be part of an expression. Write \"*\" instead.")
                         << QStringLiteral("×");
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
    QTest::newRow("blanks") << QStringLiteral("   ") << QString() << QString() << QString();
}

void tst_frmMain::typedText()
{
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    QFETCH(QString, message);
    QFETCH(QString, selected);

    MainWindow main;
    main.Show();
    main.Enter(typed);

    QCOMPARE(main.Entries(), listed.isEmpty() ? QStringList() : QStringList{listed});
    // A refused text stays in the box, the characters at fault selected; an
    // entered one leaves it empty.
    QCOMPARE(main.Text()->text(), listed.isEmpty() ? typed : QString());
    QCOMPARE(main.messages.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        const MessageRequest& request = main.messages.messages.first();
        QCOMPARE(request.strText, message);
        QCOMPARE(request.strCaption, QStringLiteral("Error"));
        QCOMPARE(request.icon, MessageIcon::Critical);
        QCOMPARE(request.buttons, MessageButtons::OK);
        QCOMPARE(main.Text()->selectedText(), selected);
    }
}

void tst_frmMain::enterButtonAndKeyAgree()
{
    MainWindow main;
    main.Show();
    main.Enter(QStringLiteral("x^2+2x+1"));
    QTest::keyClicks(main.Text(), QStringLiteral("x^2+2x+1"));
    main.Click("cmdEnter");
    // The keypad's Enter key enters too.
    QTest::keyClicks(main.Text(), QStringLiteral("sin(x"));
    QTest::keyClick(main.Text(), Qt::Key_Enter, Qt::KeypadModifier);
    // The same text twice gives two entries.
    QCOMPARE(main.Entries(), QStringList({"x^2+(2*x)+1", "x^2+(2*x)+1", "sin (x)"}));
    QVERIFY(main.Text()->text().isEmpty());
}

void tst_frmMain::optimizeSwitch_data()
{
    QTest::addColumn<QList<Qt::CheckState>>("states"); // set in turn before the text is entered
    QTest::addColumn<int>("clicks");                   // then clicks on the box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<bool>("optimize");

    using States = QList<Qt::CheckState>;
    QTest::newRow("ticked keeps sin(x)") << States{} << 1 << "sin(x)"
                                         << "sin(x)" << false;
    QTest::newRow("ticked only balances") << States{} << 1 << "sin(x" << "sin(x)" << false;
    QTest::newRow("ticked keeps blanks") << States{} << 1 << " x "
                                         << " x " << false;
    QTest::newRow("ticked and cleared") << States{} << 2 << "sin(x)"
                                        << "sin (x)" << true;
    QTest::newRow("greyed normalises") << States{Qt::PartiallyChecked} << 0 << "sin(x)"
                                       << "sin (x)" << true;
    QTest::newRow("greyed then clicked is ticked") << States{Qt::PartiallyChecked} << 1 << "sin(x)"
                                                   << "sin(x)" << false;
    QTest::newRow("ticked then greyed") << States{Qt::Checked, Qt::PartiallyChecked} << 0 << "sin(x)"
                                        << "sin (x)" << true;
}

void tst_frmMain::optimizeSwitch()
{
    QFETCH(QList<Qt::CheckState>, states);
    QFETCH(int, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    QFETCH(bool, optimize);

    MainWindow main;
    main.Show();
    main.Enter(QStringLiteral("2x"));
    auto* pBox = main.Control<QCheckBox>("chkNoOptimize");
    for (Qt::CheckState state : states)
        pBox->setCheckState(state);
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(pBox, Qt::LeftButton);
    QCOMPARE(gViewSettings.bOptimize, optimize);
    main.Enter(typed);
    // Entries made before the switch changed stay as they are.
    QCOMPARE(main.Entries(), QStringList({"2*x", listed}));
}

void tst_frmMain::editTakesSelectedOrLast()
{
    MainWindow main;
    main.Show();
    for (const char* pszText : {"1", "2", "3"})
        main.Enter(QString::fromLatin1(pszText));

    // Without a selection the last entry comes back, replacing the box's text.
    QTest::keyClicks(main.Text(), QStringLiteral("typed"));
    main.Click("cmdEdit");
    QCOMPARE(main.Text()->text(), QStringLiteral("3"));
    QCOMPARE(main.Text()->cursorPosition(), 1);
    QCOMPARE(main.Entries(), QStringList({"1", "2"}));

    // With a selection the selected entry comes back.
    MainWindow::ClickRow(main.List(), 0);
    main.Click("cmdEdit");
    QCOMPARE(main.Text()->text(), QStringLiteral("1"));
    QCOMPARE(main.Entries(), QStringList({"2"}));
    QVERIFY(main.List()->selectedItems().isEmpty());

    main.Click("cmdEdit");
    QCOMPARE(main.Text()->text(), QStringLiteral("2"));
    QCOMPARE(main.Entries(), QStringList());
    // An empty list gives nothing back and leaves the box alone.
    main.Click("cmdEdit");
    QCOMPARE(main.Text()->text(), QStringLiteral("2"));
    QVERIFY(main.messages.messages.isEmpty());
}

void tst_frmMain::removeLeavesNoSelection()
{
    MainWindow main;
    main.Show();
    for (const char* pszText : {"1", "2", "3"})
        main.Enter(QString::fromLatin1(pszText));

    main.Click("cmdRemoveExp");
    QCOMPARE(main.Entries(), QStringList({"1", "2", "3"}));

    MainWindow::ClickRow(main.List(), 1);
    main.Click("cmdRemoveExp");
    QCOMPARE(main.Entries(), QStringList({"1", "3"}));
    QVERIFY(main.List()->selectedItems().isEmpty());
    // So Edit takes the last entry, not the removed one's neighbour.
    main.Click("cmdEdit");
    QCOMPARE(main.Text()->text(), QStringLiteral("3"));
    QCOMPARE(main.Entries(), QStringList({"1"}));
}

void tst_frmMain::clearListAndExpression()
{
    MainWindow main;
    main.Show();
    main.Enter(QStringLiteral("1"));
    main.Enter(QStringLiteral("2"));
    QTest::keyClicks(main.Text(), QStringLiteral("sin(x)"));
    main.Click("cmdClear");
    QCOMPARE(main.Text()->text(), QString());
    QCOMPARE(main.Entries(), QStringList({"1", "2"}));
    main.Click("cmdClearList");
    QCOMPARE(main.Entries(), QStringList());
    QVERIFY(main.messages.messages.isEmpty());
}

void tst_frmMain::addSample()
{
    MainWindow main;
    main.Show();
    QCOMPARE(MainWindow::Entries(main.Samples()), QStringList({"sin(x)", "x^2", "sin(x", "a,b"}));

    main.Click("cmdAddSample");
    QCOMPARE(main.Entries(), QStringList());

    MainWindow::ClickRow(main.Samples(), 1);
    main.Click("cmdAddSample");
    MainWindow::DoubleClickRow(main.Samples(), 2);
    main.Click("cmdAddSample");
    // Samples are copied as they are, unbalanced brackets included, and the
    // double-clicked sample stays selected.
    QCOMPARE(main.Entries(), QStringList({"x^2", "sin(x", "sin(x"}));
    QCOMPARE(main.Samples()->selectedItems().size(), 1);
    QCOMPARE(main.Samples()->selectedItems().first()->text(), QStringLiteral("sin(x"));
    QVERIFY(main.messages.messages.isEmpty());
}

void tst_frmMain::samplesFile_data()
{
    QTest::addColumn<QByteArray>("file"); // a null array: no file
    QTest::addColumn<QStringList>("samples");

    QTest::newRow("missing file") << QByteArray() << QStringList();
    QTest::newRow("empty file") << QByteArray("") << QStringList();
    QTest::newRow("quoted comma, final line break")
        << QByteArray("sin(x)\r\nx^2\r\n\"a,b\"\r\n") << QStringList({"sin(x)", "x^2", "a,b"});
    QTest::newRow("empty middle line") << QByteArray("a\n\nb") << QStringList({"a", "", "b"});
}

void tst_frmMain::samplesFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, samples);
    MainWindow main(file);
    QCOMPARE(MainWindow::Entries(main.Samples()), samples);
    QVERIFY(main.messages.messages.isEmpty());
}

void tst_frmMain::refusesTooLongOrFullList()
{
    MainWindow main;
    main.Show();
    auto refusals = [&main] { return main.messages.messages.size(); };

    // The longest text that still fits the evaluator with its two brackets.
    const QString strLongest = QStringLiteral("x+").repeated(16382) + QLatin1Char('x');
    main.Text()->setText(strLongest);
    QCOMPARE(main.Text()->text().size(), 32765);
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QCOMPARE(main.List()->count(), 1);
    QCOMPARE(refusals(), 0);

    // One more is refused, and nothing is cut: the box keeps it all.
    const QString strTooLong(40000, QLatin1Char('1'));
    main.Text()->setText(strTooLong);
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QCOMPARE(main.List()->count(), 1);
    QCOMPARE(main.Text()->text(), strTooLong);
    QCOMPARE(refusals(), 1);
    QCOMPARE(main.messages.messages.last().icon, MessageIcon::Critical);

    // A text that fits but grows past the limit when normalised comes back as typed.
    const QString strGrows = QStringLiteral("2x").repeated(16382);
    main.Text()->setText(strGrows);
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QCOMPARE(main.List()->count(), 1);
    QCOMPARE(main.Text()->text(), strGrows);
    QCOMPARE(refusals(), 2);

    // So does one the evaluator would write out past its limit, typed or sampled.
    const QString strProducts = QStringLiteral("x*0+").repeated(5500) + QStringLiteral("x");
    main.Text()->setText(strProducts);
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QCOMPARE(main.List()->count(), 1);
    QCOMPARE(main.Text()->text(), strProducts);
    QCOMPARE(refusals(), 3);
    QVERIFY(main.messages.messages.last().strText.contains(QStringLiteral("too long to evaluate")));
    {
        MainWindow sampled(strProducts.toLatin1());
        sampled.Show();
        MainWindow::ClickRow(sampled.Samples(), 0);
        sampled.Click("cmdAddSample");
        QCOMPARE(sampled.List()->count(), 0);
        QCOMPARE(sampled.messages.messages.size(), 1);
    }

    // A full list takes no more entries, typed or sampled.
    main.List()->clear();
    for (int i = 0; i < 32767; ++i)
        main.List()->addItem(QStringLiteral("x"));
    main.Text()->setText(QStringLiteral("sin x"));
    QTest::keyClick(main.Text(), Qt::Key_Return);
    QCOMPARE(main.Text()->text(), QStringLiteral("sin x"));
    QCOMPARE(refusals(), 4);
    MainWindow::ClickRow(main.Samples(), 0);
    main.Click("cmdAddSample");
    QCOMPARE(main.List()->count(), 32767);
    QCOMPARE(refusals(), 5);
    QCOMPARE(main.messages.messages.last().strCaption, QStringLiteral("Error"));
}

void tst_frmMain::displayCheck_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("answer"); // MessageAnswer, when a question is expected; -1: none
    QTest::addColumn<QSize>("switchedAtStart"); // invalid: no request
    QTest::addColumn<QSize>("switchedAtExit");
    QTest::addColumn<bool>("exitButton"); // Exit button, or the close box

    const int iNone = -1;
    const int iYes = static_cast<int>(MessageAnswer::Yes);
    const int iNo = static_cast<int>(MessageAnswer::No);
    QTest::newRow("800x600 Yes") << QSize(800, 600) << iYes << QSize(1024, 768) << QSize(800, 600) << true;
    QTest::newRow("800x600 No") << QSize(800, 600) << iNo << QSize() << QSize(800, 600) << false;
    QTest::newRow("1023x767 Yes") << QSize(1023, 767) << iYes << QSize(1024, 768) << QSize(1023, 767) << false;
    QTest::newRow("1024x600") << QSize(1024, 600) << iNone << QSize() << QSize(1024, 600) << true;
    QTest::newRow("800x768") << QSize(800, 768) << iNone << QSize() << QSize(800, 768) << false;
    QTest::newRow("1280x720") << QSize(1280, 720) << iNone << QSize() << QSize(1280, 720) << true;
    QTest::newRow("1024x768") << QSize(1024, 768) << iNone << QSize() << QSize() << true;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << iNone << QSize() << QSize() << false;
}

void tst_frmMain::displayCheck()
{
    QFETCH(QSize, screen);
    QFETCH(int, answer);
    QFETCH(QSize, switchedAtStart);
    QFETCH(QSize, switchedAtExit);
    QFETCH(bool, exitButton);

    MainWindow main(QByteArray(), screen, answer);
    QPointer<frmMain> window = main.window;
    DisplayDouble& display = main.display;
    RecordedMessages& messages = main.messages;

    QCOMPARE(window->StartScreenWidth, screen.width());
    QCOMPARE(window->StartScreenHeight, screen.height());
    if (answer < 0) {
        QVERIFY(messages.messages.isEmpty());
    } else {
        QCOMPARE(messages.messages.size(), 1);
        const MessageRequest& question = messages.messages.first();
        QCOMPARE(question.strText, QStringLiteral("You current video resolution is: %1 x %2\r\n"
                                                  "This program requires a resolution 1024 x 768 or greater.\r\n"
                                                  "\r\n"
                                                  "Do you wish me to adjust your resolution to 1024x768?")
                                       .arg(screen.width())
                                       .arg(screen.height()));
        QCOMPARE(question.strCaption, QStringLiteral("Invalid Resolution"));
        QCOMPARE(question.icon, MessageIcon::Critical);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
    }

    auto checkRequest = [&display](int iIndex, QSize size) {
        const DisplayMode& request = display.changeRequests.at(iIndex);
        QCOMPARE(request.dmFields, 0x180000u);
        QCOMPARE(QSize(int(request.dmPelsWidth), int(request.dmPelsHeight)), size);
        // The rest of the record is what listing the modes left in it: the last mode.
        QCOMPARE(request.dmBitsPerPel, display.modes.last().dmBitsPerPel);
        QCOMPARE(request.dmDisplayFrequency, display.modes.last().dmDisplayFrequency);
    };
    const int iAtStart = switchedAtStart.isValid() ? 1 : 0;
    QCOMPARE(display.changeRequests.size(), iAtStart);
    if (iAtStart)
        checkRequest(0, switchedAtStart);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (exitButton)
        QTest::mouseClick(window->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    else
        window->close();
    QVERIFY(!window->isVisible());
    // Closing deletes the window; closing again is not a second unload.
    QTRY_VERIFY(window.isNull());

    const int iAtExit = switchedAtExit.isValid() ? 1 : 0;
    QCOMPARE(display.changeRequests.size(), iAtStart + iAtExit);
    if (iAtExit)
        checkRequest(iAtStart, switchedAtExit);
    // Every listing runs until the display has no further mode.
    QCOMPARE(display.iEnumerations, (iAtStart + iAtExit) * (int(display.modes.size()) + 1));
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
