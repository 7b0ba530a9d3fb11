#include <QAccessible>
#include <QApplication>
#include <QtTest>

#include "MainWindowFixture.h"
#include "WCButton.h"

namespace {

WCButton* Key(const MainWindow& main, int iIndex)
{
    auto* pKey = main.window->findChild<WCButton*>(QStringLiteral("cmdExpButton_%1").arg(iIndex));
    if (!pKey)
        qFatal("no key %d", iIndex);
    return pKey;
}

void ClickKey(const MainWindow& main, int iIndex)
{
    WCButton* pKey = Key(main, iIndex);
    QTest::mouseClick(pKey, Qt::LeftButton, {}, pKey->rect().center());
}

// The keys by index, as their captions read.
const QStringList kCaptions{
    "7",    "5",      "4",      "%",     "/",     "9",      "8",       "x",       "+",       ")",      "(",
    "0",    "-",      ".",      "3",     "2",     "1",      "^",       "*",       "6",       "sin",    "antilog",
    "cot",  "sec",    "cosec",  "sqrt",  "ln",    "log",    "arctanh", "arccosh", "arcsinh", "arctan", "arccos",
    "arcsin", "tanh", "cosh",   "sinh",  "tan",   "cos",    "exp",     "abs",     "^2",      "^3",     "pi"};

} // namespace

class tst_Keypad : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void captions();
    void insertion_data();
    void insertion();
    void focusStaysOnTheKey();
    void enterOnAKeyInsertsAgain();
    void doubleClickInsertsOnce();
};

void tst_Keypad::layout_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<quint32>("foreColor");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("7, first row and column") << 0 << QRect(29, 6, 25, 27) << 0xFF0000u << 8.25 << false;
    QTest::newRow(". narrow, bold") << 13 << QRect(133, 62, 25, 27) << 0xFF0000u << 9.75 << true;
    QTest::newRow("/ operator") << 4 << QRect(108, 6, 25, 27) << 0x0000FFu << 9.75 << false;
    QTest::newRow("x") << 7 << QRect(133, 90, 25, 27) << 0x800000u << 9.75 << true;
    QTest::newRow("arcsinh, one pixel higher") << 30 << QRect(298, 33, 46, 27) << 0xC000C0u << 8.25 << false;
    QTest::newRow("cosh, the wider column") << 35 << QRect(344, 6, 48, 27) << 0xC000C0u << 8.25 << false;
    QTest::newRow("pi, last") << 43 << QRect(392, 90, 46, 27) << 0xC000C0u << 8.25 << false;
}

void tst_Keypad::layout()
{
    QFETCH(int, index);
    QFETCH(QRect, rect);
    QFETCH(quint32, foreColor);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    MainWindow main;
    WCButton* pKey = Key(main, index);
    QCOMPARE(pKey->geometry(), rect);
    QCOMPARE(pKey->ForeColor(), foreColor);
    QCOMPARE(pKey->Font().pointSizeF(), points);
    QCOMPARE(pKey->Font().bold(), bold);
    // Everything else keeps the button's defaults.
    QCOMPARE(pKey->BackColor(), 0x8000000Fu);
    QCOMPARE(pKey->Alignment(), 2);
    QVERIFY(pKey->Enabled() && pKey->ShowFocusRect());
}

void tst_Keypad::captions()
{
    MainWindow main;
    QStringList captions;
    for (int i = 0; i < 44; ++i)
        captions.append(Key(main, i)->Caption());
    QCOMPARE(captions, kCaptions);

    // Assistive technology sees a push button named by its caption.
    QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(Key(main, 20));
    QVERIFY(pAccessible);
    QCOMPARE(pAccessible->role(), QAccessible::Button);
    QCOMPARE(pAccessible->text(QAccessible::Name), QStringLiteral("sin"));
}

void tst_Keypad::insertion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength"); // 0: the caret at the start
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");

    QTest::newRow("sin then x") << "" << 0 << 0 << QList<int>{20, 7} << "sin(x)" << 5;
    QTest::newRow("cos in an empty box") << "" << 0 << 0 << QList<int>{38} << "cos()" << 4;
    QTest::newRow("^2 and pi without brackets") << "x" << 1 << 0 << QList<int>{41, 8, 43} << "x^2+pi" << 6;
    QTest::newRow("antilog") << "" << 0 << 0 << QList<int>{21} << "antilog()" << 8;
    QTest::newRow("abs") << "" << 0 << 0 << QList<int>{40} << "abs()" << 4;
    QTest::newRow("at the caret") << "x+1" << 0 << 0 << QList<int>{25} << "sqrt()x+1" << 5;
    QTest::newRow("digits in the middle") << "1+2" << 1 << 0 << QList<int>{0, 13, 11} << "17.0+2" << 4;
    QTest::newRow("selection replaced") << "1+2*3" << 2 << 3 << QList<int>{7} << "1+x" << 3;
    QTest::newRow("selection replaced by a function") << "1+2*3" << 2 << 1 << QList<int>{20} << "1+sin()*3" << 6;
    QTest::newRow("selection from the right") << "abcd" << 3 << -2 << QList<int>{9} << "a)d" << 2;
}

void tst_Keypad::insertion()
{
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QList<int>, keys);
    QFETCH(QString, result);
    QFETCH(int, caret);
    MainWindow main;
    main.Show();
    main.Text()->setText(text);
    if (selectionLength != 0)
        main.Text()->setSelection(selectionStart, selectionLength);
    else
        main.Text()->setCursorPosition(selectionStart);
    for (int iKey : keys)
        ClickKey(main, iKey);
    QCOMPARE(main.Text()->text(), result);
    QCOMPARE(main.Text()->cursorPosition(), caret);
    QVERIFY(!main.Text()->hasSelectedText());
    QVERIFY(main.Entries().isEmpty());
}

void tst_Keypad::focusStaysOnTheKey()
{
    MainWindow main;
    main.Show();
    ClickKey(main, 20);
    QCOMPARE(QApplication::focusWidget(), Key(main, 20));

    // A selection the box has lost to a change made elsewhere is not
    // replaced later: the key goes in at the caret.
    main.Text()->setFocus();
    main.Text()->setSelection(0, 3);
    main.Click("cmdClear");
    ClickKey(main, 7);
    QCOMPARE(main.Text()->text(), QStringLiteral("x"));
}

void tst_Keypad::enterOnAKeyInsertsAgain()
{
    MainWindow main;
    main.Show();
    ClickKey(main, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(main.Text()->text(), QStringLiteral("777"));
    QVERIFY(main.Entries().isEmpty());
}

void tst_Keypad::doubleClickInsertsOnce()
{
    MainWindow main;
    main.Show();
    WCButton* pKey = Key(main, 6);
    const QPoint centre = pKey->rect().center();
    QTest::mousePress(pKey, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(pKey, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(pKey, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(pKey, Qt::LeftButton, {}, centre);
    QCOMPARE(main.Text()->text(), QStringLiteral("8"));
}

QTEST_MAIN(tst_Keypad)
#include "tst_keypad.moc"
