#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

#include "PropertyBag.h"
#include "WCButton.h"

namespace {

const QColor kFace(212, 208, 200);
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);

void SetPaletteColors(const QColor& face, const QColor& shadow)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Dark, shadow);
    QApplication::setPalette(palette);
}

QColor Inverted(const QColor& color)
{
    return QColor(255 - color.red(), 255 - color.green(), 255 - color.blue());
}

// A button of 25 x 27 pixels in a window with a text box that can take the
// focus away from it. Everything the button raises is written down.
struct Host {
    explicit Host(const QString& strCaption = QString(), QSize size = QSize(25, 27))
    {
        button = new WCButton(&window);
        button->setGeometry(QRect(QPoint(10, 10), size));
        button->SetCaption(strCaption);
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 100, 20);
        window.resize(200, 100);
        QObject::connect(button, &WCButton::Click, [this] { events.append("Click"); });
        QObject::connect(button, &WCButton::DoubleClick, [this] { events.append("DoubleClick"); });
        QObject::connect(button, &WCButton::KeyDown, [this](qint16& k, qint16&) { events.append(QString("KeyDown %1").arg(k)); });
        QObject::connect(button, &WCButton::KeyPress, [this](qint16& k) { events.append(QString("KeyPress %1").arg(k)); });
        QObject::connect(button, &WCButton::KeyUp, [this](qint16& k, qint16&) { events.append(QString("KeyUp %1").arg(k)); });
        const auto mouse = [this](const char* pszName) {
            return [this, pszName](qint16& b, qint16&, float&, float&) { events.append(QString("%1 %2").arg(pszName).arg(b)); };
        };
        QObject::connect(button, &WCButton::MouseDown, mouse("MouseDown"));
        QObject::connect(button, &WCButton::MouseMove, mouse("MouseMove"));
        QObject::connect(button, &WCButton::MouseUp, mouse("MouseUp"));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the test window did not become active");
        other->setFocus();
    }

    QImage Look() const { return button->Surface().convertToFormat(QImage::Format_RGB32); }
    QPoint Centre() const { return button->rect().center(); }

    void Key(QEvent::Type type, Qt::Key key, const QString& strText, bool bAutoRepeat = false) const
    {
        QKeyEvent event(type, key, Qt::NoModifier, strText, bAutoRepeat);
        QApplication::sendEvent(button, &event);
    }
    void Move(QPoint point, Qt::MouseButtons buttons) const
    {
        QMouseEvent event(QEvent::MouseMove, point, button->mapToGlobal(point), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }

    QWidget window;
    WCButton* button = nullptr;
    QLineEdit* other = nullptr;
    QStringList events;
};

// One expected colour over a rectangle of the surface.
struct Region {
    QRect rect;
    QColor color;
};

void ExpectRegions(const QImage& image, const QList<Region>& regions)
{
    for (const Region& region : regions) {
        for (int y = region.rect.top(); y <= region.rect.bottom(); ++y) {
            for (int x = region.rect.left(); x <= region.rect.right(); ++x) {
                const QColor actual = image.pixelColor(x, y);
                QVERIFY2(actual == region.color, qPrintable(QString("pixel (%1, %2) is %3, expected %4")
                                                                .arg(x).arg(y).arg(actual.name(), region.color.name())));
            }
        }
    }
}

QRect Row(int y, int x1, int x2) { return QRect(QPoint(x1, y), QPoint(x2, y)); }
QRect Column(int x, int y1, int y2) { return QRect(QPoint(x, y1), QPoint(x, y2)); }

// The raised border of a 25 x 27 button, pixel by pixel.
const QList<Region> kRaised{
    {Row(0, 0, 23), kWhite},         {QRect(24, 0, 1, 1), kDarkShadow}, {Column(0, 0, 25), kWhite},
    {Row(26, 0, 24), kDarkShadow},   {Column(24, 0, 26), kDarkShadow},  {Row(25, 1, 23), kShadow},
    {Column(23, 1, 25), kShadow},
};

// The pixels that differ between two surfaces.
QList<QPoint> Differences(const QImage& a, const QImage& b)
{
    QList<QPoint> points;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                points.append(QPoint(x, y));
        }
    }
    return points;
}

QRect InkBox(const QImage& image, const QImage& blank)
{
    QRect box;
    for (const QPoint& point : Differences(image, blank))
        box |= QRect(point, QSize(1, 1));
    return box;
}

QFont PlainFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.75);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

class tst_WCButton : public QObject {
    Q_OBJECT

private slots:
    void init() { SetPaletteColors(kFace, kShadow); }

    void raisedLook();
    void darkShadowRounding_data();
    void darkShadowRounding();
    void focusedLook();
    void pushedLook();
    void disabledLook();
    void captionPlacement_data();
    void captionPlacement();

    void eventSequences_data();
    void eventSequences();
    void handlersSteerTheButton();
    void pushedStateRules();

    void persistence();
    void sameValueStillRedraws();
};

void tst_WCButton::raisedLook()
{
    Host host;
    QList<Region> regions = kRaised;
    regions.append({QRect(QPoint(1, 1), QPoint(22, 24)), kFace});
    ExpectRegions(host.Look(), regions);
}

void tst_WCButton::darkShadowRounding_data()
{
    QTest::addColumn<QColor>("shadow");
    QTest::addColumn<QColor>("darkShadow");
    QTest::newRow("usual grey") << QColor(128, 128, 128) << QColor(64, 64, 64);
    QTest::newRow("halves to even") << QColor(127, 125, 129) << QColor(64, 62, 64);
    QTest::newRow("extremes") << QColor(255, 1, 3) << QColor(128, 0, 2);
}

void tst_WCButton::darkShadowRounding()
{
    QFETCH(QColor, shadow);
    QFETCH(QColor, darkShadow);
    SetPaletteColors(kFace, shadow);
    Host host;
    QCOMPARE(host.Look().pixelColor(24, 26), darkShadow);
    QCOMPARE(host.Look().pixelColor(23, 25), shadow);
}

void tst_WCButton::focusedLook()
{
    Host host;
    host.button->SetShowFocusRect(false);
    host.button->setFocus();
    const QImage frameOnly = host.Look();
    ExpectRegions(frameOnly, {
        {Row(0, 0, 23), kBlack}, {Column(0, 0, 25), kBlack}, {QRect(23, 25, 1, 1), kBlack},
        {QRect(24, 0, 1, 1), kFace}, {QRect(0, 26, 1, 1), kFace},
        {Row(1, 1, 23), kWhite}, {Column(1, 1, 25), kWhite},
        {Row(26, 1, 23), kDarkShadow}, {Column(24, 1, 25), kDarkShadow},
        {Row(25, 2, 22), kShadow}, {Column(23, 2, 24), kShadow},
        {QRect(QPoint(2, 2), QPoint(22, 24)), kFace},
    });

    // The focus rectangle inverts every other pixel of the frame from (4, 4)
    // to (20, 22), and nothing else.
    host.button->SetShowFocusRect(true);
    const QImage withRect = host.Look();
    QList<QPoint> expected;
    for (int y = 4; y <= 22; ++y) {
        for (int x = 4; x <= 20; ++x) {
            const bool bOnFrame = x == 4 || x == 20 || y == 4 || y == 22;
            if (bOnFrame && (x + y) % 2 == 0)
                expected.append(QPoint(x, y));
        }
    }
    QCOMPARE(Differences(frameOnly, withRect), expected);
    QCOMPARE(withRect.pixelColor(4, 4), Inverted(kFace));

    // The frame goes with the focus.
    host.other->setFocus();
    ExpectRegions(host.Look(), kRaised);
}

void tst_WCButton::pushedLook()
{
    Host host;
    QTest::mousePress(host.button, Qt::LeftButton, {}, host.Centre());
    const QImage pushed = host.Look();
    ExpectRegions(pushed, {
        {Row(0, 0, 24), kBlack}, {Column(0, 0, 24), kBlack}, {QRect(0, 26, 1, 1), kBlack},
        {Row(26, 0, 24), kBlack}, {Column(24, 0, 26), kBlack},
        {Row(1, 1, 23), kShadow}, {Column(1, 1, 25), kShadow}, {Row(25, 0, 23), kShadow}, {Column(23, 1, 25), kShadow},
        {QRect(5, 5, 1, 1), kFace}, {QRect(4, 4, 1, 1), Inverted(kFace)},
    });
    // Without the focus the pushed look has no focus rectangle.
    host.other->setFocus();
    QCOMPARE(host.Look().pixelColor(4, 4), kFace);
    QCOMPARE(host.Look().pixelColor(0, 0), kBlack);
}

void tst_WCButton::disabledLook()
{
    Host host(QStringLiteral("W"));
    host.button->SetFont(PlainFont());
    host.button->SetForeColor(0xFF0000); // blue
    host.button->setFocus();
    QTest::mousePress(host.button, Qt::LeftButton, {}, host.Centre());
    host.button->SetEnabled(false);

    const QImage disabled = host.Look();
    ExpectRegions(disabled, kRaised);
    int iGrey = 0;
    for (int y = 2; y < 24; ++y) {
        for (int x = 2; x < 22; ++x) {
            const QColor color = disabled.pixelColor(x, y);
            QVERIFY2(color == kFace || color == kGrey, qPrintable(color.name()));
            iGrey += color == kGrey;
        }
    }
    QVERIFY(iGrey > 0);

    // Enabled again, it takes up its focus and pushed state.
    host.button->SetEnabled(true);
    const QImage again = host.Look();
    QCOMPARE(again.pixelColor(1, 1), kShadow);
    QCOMPARE(again.pixelColor(4, 4), Inverted(kFace));
    int iBlue = 0;
    for (const QPoint& point : Differences(again, disabled))
        iBlue += again.pixelColor(point) == QColor(0, 0, 255);
    QVERIFY(iBlue > 0);
}

void tst_WCButton::captionPlacement_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << "Wide caption" << 0;
    QTest::newRow("right") << "Wide caption" << 1;
    QTest::newRow("centre") << "Wide caption" << 2;
    QTest::newRow("wider than the button, left") << "A caption far wider than the button" << 0;
    QTest::newRow("unknown alignment") << "Wide caption" << 3;
    QTest::newRow("empty caption") << "" << 2;
}

void tst_WCButton::captionPlacement()
{
    QFETCH(QString, caption);
    QFETCH(int, alignment);
    Host host(QString(), QSize(120, 27));
    host.button->SetFont(PlainFont());
    const QImage blank = host.Look();
    host.button->SetCaption(caption);
    host.button->SetAlignment(0);
    const QRect leftInk = InkBox(host.Look(), blank);
    host.button->SetAlignment(alignment);
    const QRect ink = InkBox(host.Look(), blank);

    if (caption.isEmpty() || alignment == 3) {
        QVERIFY(ink.isEmpty());
        return;
    }
    // The left-aligned caption starts 5 pixels in (plus the glyph's own
    // bearing); the others are the same text moved sideways.
    const int iBearing = leftInk.left() - 5;
    QVERIFY(iBearing >= 0 && iBearing <= 2);
    const float sngWidth = static_cast<float>(QFontMetricsF(PlainFont()).horizontalAdvance(caption));
    const int iStart = alignment == 0 ? 5 : alignment == 1 ? qRound(120 - sngWidth - 5) : qRound(60 - sngWidth / 2);
    QCOMPARE(ink.left(), std::max(leftInk.left() + iStart - 5, 0));
    QCOMPARE(ink.top(), leftInk.top());
    if (alignment == 1)
        QVERIFY(ink.right() <= 120 - 5);
}

void tst_WCButton::eventSequences_data()
{
    using Steps = std::function<void(Host&)>;
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("pushedAfter");

    const auto press = [](Host& h, Qt::MouseButton b) { QTest::mousePress(h.button, b, {}, h.Centre()); };
    const auto release = [](Host& h, Qt::MouseButton b) { QTest::mouseRelease(h.button, b, {}, h.Centre()); };

    QTest::newRow("click") << Steps([=](Host& h) { press(h, Qt::LeftButton); release(h, Qt::LeftButton); })
                           << QStringList{"MouseDown 1", "MouseUp 1", "Click"} << false;
    QTest::newRow("double click") << Steps([=](Host& h) {
        press(h, Qt::LeftButton);
        release(h, Qt::LeftButton);
        QTest::mouseDClick(h.button, Qt::LeftButton, {}, h.Centre());
        release(h, Qt::LeftButton);
    }) << QStringList{"MouseDown 1", "MouseUp 1", "Click", "DoubleClick", "MouseUp 1"} << false;
    QTest::newRow("right button") << Steps([=](Host& h) { press(h, Qt::RightButton); })
                                  << QStringList{"MouseDown 2"} << false;
    QTest::newRow("middle button") << Steps([=](Host& h) { press(h, Qt::MiddleButton); release(h, Qt::MiddleButton); })
                                   << QStringList{"MouseDown 4", "MouseUp 4"} << false;
    QTest::newRow("right button does not release") << Steps([=](Host& h) {
        press(h, Qt::LeftButton);
        press(h, Qt::RightButton);
        release(h, Qt::RightButton);
    }) << QStringList{"MouseDown 1", "MouseDown 2", "MouseUp 2"} << true;
    QTest::newRow("Enter") << Steps([](Host& h) {
        h.Key(QEvent::KeyPress, Qt::Key_Return, "\r");
        h.Key(QEvent::KeyRelease, Qt::Key_Return, "\r");
    }) << QStringList{"KeyDown 13", "KeyPress 13", "KeyUp 13", "Click"} << false;
    QTest::newRow("Enter held") << Steps([](Host& h) {
        h.Key(QEvent::KeyPress, Qt::Key_Enter, "\r");
        for (int i = 0; i < 2; ++i) {
            h.Key(QEvent::KeyRelease, Qt::Key_Enter, "\r", true);
            h.Key(QEvent::KeyPress, Qt::Key_Enter, "\r", true);
        }
        h.Key(QEvent::KeyRelease, Qt::Key_Enter, "\r");
    }) << QStringList{"KeyDown 13", "KeyPress 13", "KeyDown 13", "KeyPress 13", "KeyDown 13", "KeyPress 13",
                      "KeyUp 13", "Click"} << false;
    // An X server asked for detectable repeats sends a held key as presses
    // alone, none of them marked.
    QTest::newRow("Enter held, repeating as presses") << Steps([](Host& h) {
        for (int i = 0; i < 3; ++i)
            h.Key(QEvent::KeyPress, Qt::Key_Return, "\r");
        h.Key(QEvent::KeyRelease, Qt::Key_Return, "\r");
    }) << QStringList{"KeyDown 13", "KeyPress 13", "KeyDown 13", "KeyPress 13", "KeyDown 13", "KeyPress 13",
                      "KeyUp 13", "Click"} << false;
    QTest::newRow("Space") << Steps([](Host& h) {
        h.Key(QEvent::KeyPress, Qt::Key_Space, " ");
        h.Key(QEvent::KeyRelease, Qt::Key_Space, " ");
    }) << QStringList{"KeyDown 32", "KeyPress 32", "KeyUp 32"} << false;
    QTest::newRow("Space held") << Steps([](Host& h) {
        h.Key(QEvent::KeyPress, Qt::Key_Space, " ");
        h.Key(QEvent::KeyRelease, Qt::Key_Space, " ", true);
        h.Key(QEvent::KeyPress, Qt::Key_Space, " ", true);
    }) << QStringList{"KeyDown 32", "KeyPress 32", "KeyDown 32", "KeyPress 32"} << true;
    QTest::newRow("disabled") << Steps([=](Host& h) {
        h.button->SetEnabled(false);
        press(h, Qt::LeftButton);
        release(h, Qt::LeftButton);
        h.Move(QPoint(3, 3), Qt::NoButton);
        h.Key(QEvent::KeyPress, Qt::Key_Return, "\r");
        h.Key(QEvent::KeyRelease, Qt::Key_Return, "\r");
        h.Key(QEvent::KeyPress, Qt::Key_Space, " ");
        h.button->SetEnabled(true);
    }) << QStringList{} << false;
}

void tst_WCButton::eventSequences()
{
    using Steps = std::function<void(Host&)>;
    QFETCH(Steps, steps);
    QFETCH(QStringList, expected);
    QFETCH(bool, pushedAfter);
    Host host;
    host.button->setFocus();
    steps(host);
    QCOMPARE(host.events, expected);
    // The pushed look has a black top-left corner; the focused one too, but
    // a white pixel at (1, 1).
    QCOMPARE(host.Look().pixelColor(1, 1) == kShadow, pushedAfter);
}

void tst_WCButton::handlersSteerTheButton()
{
    Host host;
    host.button->setFocus();
    // A handler that turns Enter into another key cancels the click; one
    // that turns a key into Space pushes the button.
    QObject::connect(host.button, &WCButton::KeyUp, [](qint16& KeyCode, qint16&) {
        if (KeyCode == 13)
            KeyCode = 0;
    });
    QObject::connect(host.button, &WCButton::KeyDown, [](qint16& KeyCode, qint16&) {
        if (KeyCode == 65)
            KeyCode = 32;
    });
    host.Key(QEvent::KeyPress, Qt::Key_Return, "\r");
    host.Key(QEvent::KeyRelease, Qt::Key_Return, "\r");
    QVERIFY(!host.events.contains("Click"));
    host.Key(QEvent::KeyPress, Qt::Key_A, "a");
    QCOMPARE(host.Look().pixelColor(1, 1), kShadow);

    // A handler that makes the left button the right one keeps it raised.
    Host other;
    QObject::connect(other.button, &WCButton::MouseDown, [](qint16& Button, qint16&, float&, float&) { Button = 2; });
    QTest::mousePress(other.button, Qt::LeftButton, {}, other.Centre());
    QCOMPARE(other.Look().pixelColor(0, 0), kBlack); // focused frame
    QCOMPARE(other.Look().pixelColor(1, 1), kWhite);
}

void tst_WCButton::pushedStateRules()
{
    // Dragging off keeps the pushed look; the release outside gives no click.
    Host host;
    QTest::mousePress(host.button, Qt::LeftButton, {}, host.Centre());
    host.Move(QPoint(80, 80), Qt::LeftButton);
    QCOMPARE(host.Look().pixelColor(1, 1), kShadow);
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(80, 80));
    QCOMPARE(host.Look().pixelColor(1, 1), kWhite);
    QCOMPARE(host.events, QStringList({"MouseDown 1", "MouseMove 1", "MouseUp 1"}));

    // The focus moving away while Space is held leaves the button pushed
    // until it sees a release again.
    Host spaced;
    spaced.button->setFocus();
    spaced.Key(QEvent::KeyPress, Qt::Key_Space, " ");
    spaced.other->setFocus();
    QCOMPARE(spaced.Look().pixelColor(1, 1), kShadow);
    QCOMPARE(spaced.Look().pixelColor(4, 4), kFace);
    QTest::mouseRelease(spaced.button, Qt::LeftButton, {}, spaced.Centre());
    ExpectRegions(spaced.Look(), kRaised);
}

void tst_WCButton::persistence()
{
    QWidget container;
    QFont ambient(QStringLiteral("DejaVu Serif"));
    ambient.setPointSizeF(11);
    container.setFont(ambient);

    // An empty store gives the defaults and an empty caption.
    auto* pLoaded = new WCButton(&container);
    pLoaded->setObjectName(QStringLiteral("WCButton1"));
    QSignalSpy changes(pLoaded, &WCButton::PropertyChanged);
    pLoaded->ReadProperties(PropertyBag());
    QCOMPARE(changes.size(), 7);
    QStringList order;
    for (const QList<QVariant>& change : changes)
        order.append(change.first().toString());
    QCOMPARE(order, QStringList({"BackColor", "ForeColor", "Font", "Enabled", "Alignment", "Caption", "ShowFocusRect"}));
    QCOMPARE(pLoaded->Caption(), QString());
    QCOMPARE(pLoaded->BackColor(), 0x8000000Fu);
    QCOMPARE(pLoaded->Font(), ambient);

    // A newly placed button is named after itself.
    pLoaded->InitProperties();
    QCOMPARE(pLoaded->Caption(), QStringLiteral("WCButton1"));

    // Save and load give every property back; true is kept as -1, and
    // names are found whatever their case.
    auto* pSaved = new WCButton(&container);
    pSaved->SetBackColor(0x00123456);
    pSaved->SetForeColor(0x80000010);
    pSaved->SetFont(PlainFont());
    pSaved->SetEnabled(false);
    pSaved->SetAlignment(7);
    pSaved->SetCaption(QStringLiteral("sin"));
    pSaved->SetShowFocusRect(false);
    PropertyBag bag;
    pSaved->WriteProperties(bag);
    QCOMPARE(bag.ReadProperty(QStringLiteral("enabled")).toInt(), 0);
    pLoaded->ReadProperties(bag);
    QCOMPARE(pLoaded->BackColor(), 0x00123456u);
    QCOMPARE(pLoaded->ForeColor(), 0x80000010u);
    QCOMPARE(pLoaded->Font(), PlainFont());
    QCOMPARE(pLoaded->Enabled(), false);
    QCOMPARE(pLoaded->Alignment(), 7);
    QCOMPARE(pLoaded->Caption(), QStringLiteral("sin"));
    QCOMPARE(pLoaded->ShowFocusRect(), false);

    bag.WriteProperty(QStringLiteral("ShowFocusRect"), true, false);
    QCOMPARE(bag.ReadProperty(QStringLiteral("SHOWFOCUSRECT")).toInt(), -1);
    // Defaults are left out of the store.
    pLoaded->InitProperties();
    PropertyBag defaults;
    pLoaded->SetCaption(QString());
    pLoaded->WriteProperties(defaults);
    QCOMPARE(defaults.Names(), QStringList());
}

void tst_WCButton::sameValueStillRedraws()
{
    Host host(QStringLiteral("7"));
    QSignalSpy changes(host.button, &WCButton::PropertyChanged);
    host.button->SetCaption(host.button->Caption());
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().first().toString(), QStringLiteral("Caption"));

    // Assigning the same caption draws the surface again: a new shadow
    // colour in the palette shows at once.
    SetPaletteColors(kFace, QColor(100, 100, 100));
    QCOMPARE(host.Look().pixelColor(23, 25), kShadow);
    host.button->SetCaption(host.button->Caption());
    QCOMPARE(host.Look().pixelColor(23, 25), QColor(100, 100, 100));
}

QTEST_MAIN(tst_WCButton)
#include "tst_wcbutton.moc"
