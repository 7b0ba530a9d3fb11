#include <QTemporaryDir>
#include <QtTest>

#include "EntryPreparation.h"
#include "SampleFile.h"
#include "SampleFolders.h"
#include "clsMath.h"

#include <string>
#include <vector>

using Fields = std::vector<std::string>;
Q_DECLARE_METATYPE(Fields)

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& strName, const QByteArray& bytes)
{
    const QString strPath = dir.filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(strPath));
    return strPath;
}

} // namespace

class tst_SampleFile : public QObject {
    Q_OBJECT

private slots:
    void parseFields_data();
    void parseFields();
    void parseCutShort_data();
    void parseCutShort();
    void loadFile_data();
    void loadFile();
    void stopsAtTheListLimit();
    void findsTheFirstSampleFile_data();
    void findsTheFirstSampleFile();
    void shippedSamplesEvaluate();
};

void tst_SampleFile::parseFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Fields>("expected");

    QTest::newRow("empty file") << QByteArray() << Fields{};
    QTest::newRow("one line, no line break") << QByteArray("sin(x)") << Fields{"sin(x)"};
    QTest::newRow("final LF adds nothing") << QByteArray("sin(x)\nx^2\n") << Fields{"sin(x)", "x^2"};
    QTest::newRow("CR LF line ends") << QByteArray("sin(x)\r\nx^2\r\n") << Fields{"sin(x)", "x^2"};
    QTest::newRow("CR line ends") << QByteArray("sin(x)\rx^2\r") << Fields{"sin(x)", "x^2"};
    QTest::newRow("quoted comma") << QByteArray("sin(x)\nx^2\n\"a,b\"\n") << Fields{"sin(x)", "x^2", "a,b"};
    QTest::newRow("comma splits a line") << QByteArray("sin(x),cos(x)\n") << Fields{"sin(x)", "cos(x)"};
    QTest::newRow("empty middle line") << QByteArray("a\n\nb\n") << Fields{"a", "", "b"};
    QTest::newRow("blank lines at the end") << QByteArray("a\n\n\n") << Fields{"a", "", ""};
    QTest::newRow("nothing between commas") << QByteArray("a,,b") << Fields{"a", "", "b"};
    QTest::newRow("comma before line end") << QByteArray("a,\nb") << Fields{"a", "", "b"};
    QTest::newRow("leading blanks skipped") << QByteArray("   sin(x)\n\t x") << Fields{"sin(x)", "x"};
    QTest::newRow("inner spaces kept") << QByteArray("x ^ 2 + 1\n") << Fields{"x ^ 2 + 1"};
    QTest::newRow("trailing blanks dropped") << QByteArray("x^2   \n") << Fields{"x^2"};
    QTest::newRow("quoted keeps blanks") << QByteArray("\"  x , 1  \"\n") << Fields{"  x , 1  "};
    QTest::newRow("text after closing quote") << QByteArray("\"ab\"cd,e\n") << Fields{"ab", "e"};
    QTest::newRow("unclosed quote runs to end") << QByteArray("\"a,b\nc") << Fields{"a,b\nc"};
    QTest::newRow("empty quoted field") << QByteArray("\"\"\nx") << Fields{"", "x"};
    QTest::newRow("unbalanced sample kept") << QByteArray("sin(x\n)x(\n") << Fields{"sin(x", ")x("};
    QTest::newRow("only a line break") << QByteArray("\n") << Fields{""};
    QTest::newRow("field longer than an entry left out")
        << (QByteArray(32766, 'x') + "\n\"" + QByteArray(40000, '1') + "\"\n" + QByteArray(32765, 'y') + ",z")
        << Fields{std::string(32765, 'y'), "z"};
    QTest::newRow("NUL and high bytes") << QByteArray("a\0b\n\xff", 5) << Fields{std::string("a\0b", 3), "\xff"};
}

void tst_SampleFile::parseFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Fields, expected);
    QCOMPARE(ParseSampleFields(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), expected);
}

void tst_SampleFile::parseCutShort_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Fields>("expected");

    QTest::newRow("cut inside a field") << QByteArray("a,b\nsin(") << Fields{"a", "b"};
    QTest::newRow("cut after a delimiter") << QByteArray("a,b\n") << Fields{"a", "b"};
    QTest::newRow("cut inside quotes") << QByteArray("a\n\"x,") << Fields{"a"};
    QTest::newRow("cut after closing quote") << QByteArray("a\n\"x\"") << Fields{"a", "x"};
}

void tst_SampleFile::parseCutShort()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Fields, expected);
    QCOMPARE(ParseSampleFields(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), false),
             expected);
}

void tst_SampleFile::loadFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("UTF-8") << QByteArray("\xce\xb8+1\n") << QStringList{QStringLiteral(u"\u03b8+1")};
    QTest::newRow("Latin-1 when not UTF-8") << QByteArray("\xe9+x\n") << QStringList{QStringLiteral(u"\u00e9+x")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("too long once in UTF-8") << (QByteArray(32764, 'x') + "\xe9\nx")
                                              << QStringList{QStringLiteral("x")};
}

void tst_SampleFile::loadFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(LoadSamples(WriteFile(dir, "samples.txt", bytes)), expected);
}

void tst_SampleFile::stopsAtTheListLimit()
{
    const std::string strMany(kMaxSamples + 10, '\n');
    QCOMPARE(ParseSampleFields(strMany).size(), kMaxSamples);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(LoadSamples(dir.filePath(QStringLiteral("missing.txt"))), QStringList{});
    // A folder cannot be read as a file.
    QCOMPARE(LoadSamples(dir.path()), QStringList{});
}

void tst_SampleFile::findsTheFirstSampleFile_data()
{
    // Paths made in a folder laid out as an unpacked package: "bin" holds the
    // program and "xdg" is the desktop's data folder. A path ending in "/" is
    // made as a folder.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QString>("found"); // empty: none

    QTest::newRow("beside the program first")
        << QStringList{"bin/samples.txt", "share/velmora/samples.txt", "xdg/velmora/samples.txt"} << "bin/samples.txt";
    QTest::newRow("then the data folder beside the program's")
        << QStringList{"share/velmora/samples.txt", "xdg/velmora/samples.txt"} << "share/velmora/samples.txt";
    QTest::newRow("then the desktop's data folder")
        << QStringList{"xdg/velmora/samples.txt"} << "xdg/velmora/samples.txt";
    QTest::newRow("a folder of that name passed over")
        << QStringList{"bin/samples.txt/", "xdg/velmora/samples.txt"} << "xdg/velmora/samples.txt";
    QTest::newRow("none") << QStringList{"share/samples.txt", "xdg/samples.txt"} << QString();
}

void tst_SampleFile::findsTheFirstSampleFile()
{
    QFETCH(QStringList, made);
    QFETCH(QString, found);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir(root.path()).mkdir("bin");
    for (const QString& strPath : made) {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(root.filePath(strPath)).path()));
        if (!strPath.endsWith('/'))
            WriteFile(root, strPath, "x");
    }
    const QString strFound = FindSampleFile(SampleFolders(root.filePath("bin"), {root.filePath("xdg")}));
    QCOMPARE(strFound, found.isEmpty() ? QString() : root.filePath(found));
}

void tst_SampleFile::shippedSamplesEvaluate()
{
    const QStringList samples = LoadSamples(QStringLiteral(VELMORA_SHIPPED_SAMPLES));
    QVERIFY(samples.size() >= 12);
    for (const QString& strSample : samples) {
        // The samples go into the list unchanged, so they must already be in
        // the evaluator's strict form.
        clsMath objMath;
        std::string strExpression = "(" + strSample.toStdString() + ")";
        objMath.Evaluate(strExpression, 0.7);
        QVERIFY2(!objMath.bErrorStatus, qPrintable(strSample));
        // And each means what it says, so adding it is never refused.
        QVERIFY2(!ListEntryRefusal(strSample), qPrintable(strSample));
    }
}

QTEST_GUILESS_MAIN(tst_SampleFile)
#include "tst_samplefile.moc"
