#include <QtTest>

#include "ArrowIcon.h"
#include "ToolbarIcons.h"

#include <QImage>

namespace {

// How many pixels of the picture are not transparent.
int InkedPixels(const QIcon& icon, QIcon::Mode mode, qreal dScale)
{
    const QImage image = icon.pixmap(QSize(24, 24), dScale, mode).toImage();
    int iInked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            iInked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return iInked;
}

} // namespace

class tst_ToolbarIcons : public QObject {
    Q_OBJECT

private slots:
    void paintsAtToolbarSize_data();
    void paintsAtToolbarSize();
    void unknownKeyGivesNullIcon_data();
    void unknownKeyGivesNullIcon();
};

void tst_ToolbarIcons::paintsAtToolbarSize_data()
{
    QTest::addColumn<QIcon>("icon");

    for (const char* pszKey :
         {"CopyToClipboard", "Save", "PrintGraph", "ZoomIn", "ZoomOut", "ZoomIn (X-axis)", "ZoomOut (X-axis)",
          "ZoomIn (Y-axis)", "ZoomOut (Y-axis)", "Origin", "Default Scale", "Rectangular Mode", "Polar Mode",
          "Increase Polar Sensitivity", "Decrease Polar Sensitivity", "Grids On/Off", "Redraw curves",
          "Range Selector", "CompareExpressions"})
        QTest::newRow(pszKey) << ToolbarIcon(QString::fromLatin1(pszKey));
    QTest::newRow("arrow left") << ArrowIcon(ArrowDirection::Left);
    QTest::newRow("arrow down") << ArrowIcon(ArrowDirection::Down);
}

void tst_ToolbarIcons::paintsAtToolbarSize()
{
    QFETCH(QIcon, icon);
    QVERIFY(!icon.isNull());
    // Some ink, but not a filled square.
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        const int iInked = InkedPixels(icon, mode, 1.0);
        QVERIFY2(iInked > 24 && iInked < 24 * 24 * 3 / 4, qPrintable(QString::number(iInked)));
    }
    QVERIFY(InkedPixels(icon, QIcon::Normal, 2.0) > 4 * 24);
}

void tst_ToolbarIcons::unknownKeyGivesNullIcon_data()
{
    QTest::addColumn<QString>("key");

    QTest::newRow("empty") << QString();
    QTest::newRow("other case") << QStringLiteral("zoomin");
    QTest::newRow("trailing blank") << QStringLiteral("Save ");
    QTest::newRow("not a button") << QStringLiteral("Exit");
}

void tst_ToolbarIcons::unknownKeyGivesNullIcon()
{
    QFETCH(QString, key);
    QVERIFY(ToolbarIcon(key).isNull());
}

QTEST_MAIN(tst_ToolbarIcons)
#include "tst_toolbaricons.moc"
