#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "ClipboardDouble.h"
#include "RecordedMessages.h"
#include "ScriptedSaveDialog.h"
#include "Settings.h"
#include "ValueTable.h"
#include "ValueTableModel.h"
#include "frmTable.h"

namespace {

// The window on x^2 and ln x from 0 to 1 in steps of 0.5, and the text a
// copy of all of it, and the command line, give.
const QStringList kEntries{"x^2", "ln (x)"};
const QString kWholeTable = "x\tx^2\tln (x)\n0\t0\tError\n0.5\t0.25\t-0.6931471805599453\n1\t1\t0\n";

struct TableWindow {
    TableWindow(const QString& strFrom, const QString& strTo, const QString& strStep)
    {
        GraphView view;
        window = new frmTable(kEntries, view);
        window->findChild<QLineEdit*>("txtFrom")->setText(strFrom);
        window->findChild<QLineEdit*>("txtTo")->setText(strTo);
        window->findChild<QLineEdit*>("txtStep")->setText(strStep);
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>("cmdShow"), Qt::LeftButton);
    }
    ~TableWindow() { delete window; }
    QTableView* Grid() const { return window->findChild<QTableView*>("grdValues"); }
    QString Shown(int iRow, int iColumn) const { return Grid()->model()->index(iRow, iColumn).data().toString(); }

    QPointer<frmTable> window;
};

} // namespace

class tst_ValueTable : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void exactSteps_data();
    void exactSteps();
    void refusals_data();
    void refusals();
    void window();
    void copied_data();
    void copied();
    void csv();
};

void tst_ValueTable::exactSteps_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("xs");
    QTest::newRow("0 to 1 by 0.1") << QStringList{"0", "1", "0.1"}
                                   << QList<double>{0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1};
    QTest::newRow("-1 to 1 by 0.25") << QStringList{"-1", "1", "0.25"}
                                     << QList<double>{-1, -0.75, -0.5, -0.25, 0, 0.25, 0.5, 0.75, 1};
    QTest::newRow("steps of 1e-3") << QStringList{"0.001", "0.006", "1e-3"}
                                   << QList<double>{0.001, 0.002, 0.003, 0.004, 0.005, 0.006};
    QTest::newRow("not a whole number of steps") << QStringList{"0", "1", "0.3"} << QList<double>{0, 0.3, 0.6, 0.9};
    QTest::newRow("one row") << QStringList{"2.5", "2.5", "1"} << QList<double>{2.5};
}

void tst_ValueTable::exactSteps()
{
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, xs);
    const auto read = ReadTableRange(texts[0], texts[1], texts[2]);
    QVERIFY(std::holds_alternative<TableRange>(read));
    const TableRange& range = std::get<TableRange>(read);
    QCOMPARE(range.iRows, xs.size());
    for (qsizetype i = 0; i < xs.size(); ++i)
        QVERIFY2(RowX(range, i) == xs[i], qPrintable(QString::number(RowX(range, i), 'g', 17)));
}

void tst_ValueTable::refusals_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");
    QTest::newRow("no step") << QStringList{"0", "1", "0"} << "The step must be greater than 0.";
    QTest::newRow("a step back") << QStringList{"0", "1", "-1"} << "The step must be greater than 0.";
    QTest::newRow("start above end") << QStringList{"2", "1", "1"} << "From must not be greater than To.";
    QTest::newRow("not a number") << QStringList{"a", "1", "1"} << "From, To and Step must be numbers.";
    QTest::newRow("100,002 rows")
        << QStringList{"0", "100001", "1"}
        << "The table would have more than 100,001 rows; take a larger step or a smaller range.";
}

void tst_ValueTable::refusals()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    const auto read = ReadTableRange(texts[0], texts[1], texts[2]);
    QVERIFY(std::holds_alternative<QString>(read));
    QCOMPARE(std::get<QString>(read), message);
    // The window says so and keeps the table it shows.
    RecordedMessages messages;
    TableWindow table("0", "1", "0.5");
    table.window->findChild<QLineEdit*>("txtFrom")->setText(texts[0]);
    table.window->findChild<QLineEdit*>("txtTo")->setText(texts[1]);
    table.window->findChild<QLineEdit*>("txtStep")->setText(texts[2]);
    QTest::keyClick(table.window->findChild<QLineEdit*>("txtStep"), Qt::Key_Return);
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages[0].strText, message);
    QCOMPARE(table.Grid()->model()->rowCount(), 3);
}

void tst_ValueTable::window()
{
    // The boxes start from the view's visible range, a division a row; the
    // cells read as the comparison window writes values.
    GraphView view;
    view.dOriginX = 1;
    view.dScaleX = 2;
    view.iDivisionsX = 4;
    frmTable table(kEntries, view);
    QCOMPARE(table.findChild<QLineEdit*>("txtFrom")->text(), "-1");
    QCOMPARE(table.findChild<QLineEdit*>("txtTo")->text(), "3");
    QCOMPARE(table.findChild<QLineEdit*>("txtStep")->text(), "0.5");
    auto* pModel = table.findChild<QTableView*>("grdValues")->model();
    QCOMPARE(pModel->rowCount(), 9);
    QCOMPARE(pModel->headerData(2, Qt::Horizontal).toString(), "ln (x)");
    QCOMPARE(pModel->index(1, 0).data().toString(), "-.5");
    QCOMPARE(pModel->index(1, 2).data().toString(), "Error");
    QCOMPARE(pModel->index(3, 2).data().toString(), "-.693147");
}

void tst_ValueTable::copied_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("text");
    QTest::newRow("all") << true << false << kWholeTable;
    QTest::newRow("a column's lower cells") << false << false << "x^2\n0.25\n1\n";
    QTest::newRow("all, with a decimal comma") << true << true << QString(kWholeTable).replace('.', ',');
}

void tst_ValueTable::copied()
{
    QFETCH(bool, all);
    QFETCH(bool, german);
    QFETCH(QString, text);
    if (german)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ClipboardDouble clipboard;
    RecordedMessages messages;
    TableWindow table("0", "1", "0.5");
    if (all) {
        QTest::keyClick(table.Grid(), Qt::Key_A, Qt::ControlModifier);
    } else {
        table.Grid()->setCurrentIndex(table.Grid()->model()->index(1, 1));
        QTest::keyClick(table.Grid(), Qt::Key_Down, Qt::ShiftModifier);
    }
    QTest::keyClick(table.Grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard.text, text);
}

void tst_ValueTable::csv()
{
    // Fields holding a comma or a quote are quoted, quotes doubled.
    const auto range = std::get<TableRange>(ReadTableRange("0", "1", "1"));
    QCOMPARE(TableText(range, TableColumns({"x", "a,\"b"}), true), "x,x,\"a,\"\"b\"\r\n0,0,Error\r\n1,1,Error\r\n");
    // Saved whole, as the window shows it; a failed save says why.
    QTemporaryDir folder;
    RecordedMessages messages;
    ScriptedSaveDialog dialog;
    TableWindow table("0", "1", "0.5");
    dialog.answers = {folder.filePath("values"), folder.filePath("missing/values.csv")};
    table.window->Save();
    QFile saved(folder.filePath("values.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), QString(kWholeTable).replace('\t', ',').replace("\n", "\r\n"));
    table.window->Save();
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY(messages.messages[0].strText.startsWith("The table could not be saved as \""));
}

QTEST_MAIN(tst_ValueTable)
#include "tst_valuetable.moc"
