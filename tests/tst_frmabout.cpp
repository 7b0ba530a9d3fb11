#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <string>

#include "NonBlockingModal.h"
#include "ProcessLauncherDouble.h"
#include "ProgramIcon.h"
#include "RecordedMessages.h"
#include "RegistryDouble.h"
#include "frmAbout.h"

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kToolPath = QStringLiteral("C:\\Tools\\msinfo32.exe");
const QString kFolder = QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
const QString kToolInFolder = kFolder + QStringLiteral("\\MSINFO32.EXE");

// The text with its terminating zero, as strings are usually stored.
QByteArray Sz(const QString& strText)
{
    return strText.toLatin1().append('\0');
}

QByteArray Bytes(const std::string& str)
{
    return QByteArray(str.data(), static_cast<qsizetype>(str.size()));
}

// The program's icon drawn into a 32-pixel square, as the About box shows
// it, at the given pixel ratio.
QPixmap ProgramIconPixmap(qreal dPixelRatio)
{
    QPixmap pixmap(QSize(32, 32) * dPixelRatio);
    pixmap.setDevicePixelRatio(dPixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    ProgramIcon().paint(&painter, QRect(0, 0, 32, 32));
    return pixmap;
}

// Windows closed with WA_DeleteOnClose are deleted on the next turn of the
// event loop; this takes that turn now.
void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every outside service replaced by a double, and a window to open the box
// from.
struct AboutFixture {
    ~AboutFixture()
    {
        for (frmAbout* pBox : opener.findChildren<frmAbout*>())
            pBox->close();
        FlushDeletes();
    }

    frmAbout* ShowModeless()
    {
        frmAbout::ShowModeless(&opener);
        return frmAbout::Instance();
    }

    // Shows the box, makes it the active window and puts the focus on the
    // control named.
    frmAbout* ShowActive(const QString& strFocus = QStringLiteral("cmdOK"))
    {
        frmAbout* pBox = ShowModeless();
        pBox->activateWindow();
        if (!QTest::qWaitForWindowActive(pBox))
            qFatal("the About box did not become active");
        Control<QWidget>(pBox, strFocus)->setFocus();
        return pBox;
    }

    template <typename T>
    static T* Control(frmAbout* pBox, const QString& strName)
    {
        T* pControl = pBox->findChild<T*>(strName);
        if (!pControl)
            qFatal("no control %s", qPrintable(strName));
        return pControl;
    }

    // The About boxes not yet deleted.
    qsizetype BoxesAlive() const { return opener.findChildren<frmAbout*>().size(); }

    // Every key opened was opened below HKEY_LOCAL_MACHINE with options 0 and
    // the mask 0x2003F, and every open, failed or not, was matched by a close.
    void VerifyKeysClosed() const
    {
        for (const RegistryDouble::OpenCall& open : registry.opens) {
            QCOMPARE(open.hKey, HKEY_LOCAL_MACHINE);
            QCOMPARE(open.ulOptions, DWORD(0));
            QCOMPARE(open.samDesired, REGSAM(0x2003F));
        }
        QCOMPARE(registry.closes.size(), registry.opens.size());
        QVERIFY(registry.OpenHandles().isEmpty());
    }

    RecordedMessages messages;
    NonBlockingModal modal;
    RegistryDouble registry;
    ProcessLauncherDouble launcher;
    QWidget opener;
};

} // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void window();
    void textsSetAtEachLoad();

    void sysInfo_data();
    void sysInfo();
    void getKeyValue_data();
    void getKeyValue();
    void emptyValueRaisesAndClosesKey();

    void keys_data();
    void keys();

    void oneInstance();
    void icon();
};

void tst_frmAbout::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");

    auto row = [](const char* pszName, QRect twips, const QString& strText = QString()) {
        QTest::newRow(pszName) << QString::fromLatin1(pszName) << twips << strText;
    };
    row("picIcon", {240, 240, 540, 540});
    row("lblTitle", {1080, 240, 3885, 480}, QStringLiteral("Velmora"));
    row("lblVersion", {1050, 780, 3885, 225}, QStringLiteral("Version 1.1.0"));
    row("lblDescription", {1050, 1125, 3885, 1170},
        QStringLiteral("Velmora and other Softwares can be found at:\r\nhttps://velmora.example.org\r\n"
                       "Email: velmora@example.org\r\nBlog: https://blog.velmora.example.org"));
    row("lblDisclaimer", {255, 2610, 3870, 825}, QString(""));
    row("cmdOK", {4245, 2625, 1260, 345}, QStringLiteral("OK"));
    row("cmdSysInfo", {4260, 3075, 1245, 345}, QStringLiteral("&System Info..."));
    // The lines cover the pixels from their start up to their end point; the
    // white one is 2 pixels wide.
    row("Line1_1", {90, 2445, 5565, 15});
    row("Line1_0", {105, 2460, 5550, 30});
}

void tst_frmAbout::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);

    AboutFixture fixture;
    frmAbout* pBox = fixture.ShowModeless();
    auto* pControl = AboutFixture::Control<QWidget>(pBox, name);
    QCOMPARE(pControl->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QCOMPARE(pControl->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(pControl->font().pointSizeF(), 8.25);
    if (auto* pLabel = qobject_cast<QLabel*>(pControl))
        QCOMPARE(pLabel->text(), text);
    else if (auto* pButton = qobject_cast<QPushButton*>(pControl))
        QCOMPARE(pButton->text(), text);
    else
        QVERIFY(text.isNull());
}

void tst_frmAbout::window()
{
    AboutFixture fixture;
    frmAbout* pBox = fixture.ShowActive();
    QCOMPARE(pBox->size(), QSize(382, 237));
    QCOMPARE(pBox->minimumSize(), pBox->maximumSize());
    QVERIFY(!(pBox->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!pBox->windowIcon().isNull());

    auto* pOK = AboutFixture::Control<QPushButton>(pBox, "cmdOK");
    auto* pSysInfo = AboutFixture::Control<QPushButton>(pBox, "cmdSysInfo");
    QVERIFY(pOK->isDefault());
    QVERIFY(!pSysInfo->autoDefault());

    // The focus starts on OK and Tab walks OK, the icon, System Info.
    QCOMPARE(QApplication::focusWidget(), pOK);
    for (const char* pszNext : {"picIcon", "cmdSysInfo", "cmdOK"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(pszNext));
    }

    // The etched separator: grey above white, all along the line.
    const QImage image = pBox->grab().toImage();
    for (int x : {6, 7, 200, 376}) {
        QCOMPARE(image.pixelColor(x, 163), QColor(0x80, 0x80, 0x80));
        if (x > 6) {
            QCOMPARE(image.pixelColor(x, 164), QColor(Qt::white));
            QCOMPARE(image.pixelColor(x, 165), QColor(Qt::white));
        }
    }
    QVERIFY(image.pixelColor(200, 166) != QColor(Qt::white));
    QVERIFY(image.pixelColor(377, 163) != QColor(0x80, 0x80, 0x80));
}

void tst_frmAbout::textsSetAtEachLoad()
{
    AboutFixture fixture;
    for (int iShowing = 0; iShowing < 2; ++iShowing) {
        QPointer<frmAbout> box = fixture.ShowModeless();
        QCOMPARE(box->windowTitle(), QStringLiteral("About Velmora"));
        auto* pTitle = AboutFixture::Control<QLabel>(box, "lblTitle");
        QCOMPARE(pTitle->text(), QStringLiteral("Velmora"));
        QCOMPARE(AboutFixture::Control<QLabel>(box, "lblVersion")->text(), QStringLiteral("Version 1.1.0"));
        QCOMPARE(AboutFixture::Control<QLabel>(box, "lblDescription")->text().split(QStringLiteral("\r\n")).size(), 4);

        pTitle->setText(QStringLiteral("changed"));
        box->setWindowTitle(QStringLiteral("changed"));
        QTest::mouseClick(AboutFixture::Control<QPushButton>(box, "cmdOK"), Qt::LeftButton);
        QCOMPARE(frmAbout::Instance(), nullptr);
        FlushDeletes();
        QVERIFY(!box);
    }
}

void tst_frmAbout::sysInfo_data()
{
    QTest::addColumn<bool>("keys");
    QTest::addColumn<QByteArray>("toolPath");    // null: no such value
    QTest::addColumn<QByteArray>("toolFolder");  // null: no such value
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<uint>("granted");
    QTest::addColumn<bool>("failStarts");
    QTest::addColumn<QStringList>("fileTests");
    QTest::addColumn<QStringList>("startRequests");
    QTest::addColumn<bool>("started");

    const QByteArray none;
    const uint all = KEY_ALL_ACCESS;
    QTest::newRow("no keys") << false << none << none << QStringList() << all << false << QStringList() << QStringList()
                             << false;
    QTest::newRow("keys without values") << true << none << none << QStringList() << all << false << QStringList()
                                         << QStringList() << false;
    QTest::newRow("tool path") << true << Sz(kToolPath) << none << QStringList{kToolPath} << all << false
                               << QStringList() << QStringList{kToolPath} << true;
    QTest::newRow("tool path without a zero") << true << kToolPath.toLatin1() << none << QStringList{kToolPath} << all
                                              << false << QStringList() << QStringList{kToolPath} << true;
    QTest::newRow("tool path to a missing file") << true << Sz(kToolPath) << none << QStringList() << all << false
                                                 << QStringList() << QStringList{kToolPath} << false;
    QTest::newRow("tool refuses to start") << true << Sz(kToolPath) << none << QStringList{kToolPath} << all << true
                                           << QStringList() << QStringList{kToolPath} << false;
    QTest::newRow("tool path wins over folder") << true << Sz(kToolPath) << Sz(kFolder)
                                                << QStringList{kToolPath, kToolInFolder} << all << false
                                                << QStringList() << QStringList{kToolPath} << true;
    QTest::newRow("tool folder") << true << none << Sz(kFolder) << QStringList{kToolInFolder} << all << false
                                 << QStringList{kToolInFolder} << QStringList{kToolInFolder} << true;
    QTest::newRow("tool folder without the tool") << true << none << Sz(kFolder) << QStringList() << all << false
                                                  << QStringList{kToolInFolder} << QStringList() << false;
    QTest::newRow("empty tool path ends the search") << true << QByteArray("") << Sz(kFolder)
                                                     << QStringList{kToolInFolder} << all << false << QStringList()
                                                     << QStringList() << false;
    QTest::newRow("empty tool folder") << true << none << QByteArray("") << QStringList{QStringLiteral("\\MSINFO32.EXE")}
                                       << all << false << QStringList() << QStringList() << false;
    QTest::newRow("user may only read the keys") << true << Sz(kToolPath) << Sz(kFolder)
                                                 << QStringList{kToolPath, kToolInFolder} << uint(KEY_READ) << false
                                                 << QStringList() << QStringList() << false;
}

void tst_frmAbout::sysInfo()
{
    QFETCH(bool, keys);
    QFETCH(QByteArray, toolPath);
    QFETCH(QByteArray, toolFolder);
    QFETCH(QStringList, files);
    QFETCH(uint, granted);
    QFETCH(bool, failStarts);
    QFETCH(QStringList, fileTests);
    QFETCH(QStringList, startRequests);
    QFETCH(bool, started);

    AboutFixture fixture;
    if (keys) {
        fixture.registry.AddKey(HKEY_LOCAL_MACHINE, kToolKey);
        fixture.registry.AddKey(HKEY_LOCAL_MACHINE, kFolderKey);
    }
    if (!toolPath.isNull())
        fixture.registry.SetValue(HKEY_LOCAL_MACHINE, kToolKey, "PATH", REG_SZ, toolPath);
    if (!toolFolder.isNull())
        fixture.registry.SetValue(HKEY_LOCAL_MACHINE, kFolderKey, "MSINFO", REG_SZ, toolFolder);
    fixture.registry.grantedAccess = granted;
    fixture.launcher.existingFiles = files;
    fixture.launcher.bFailStarts = failStarts;

    QPointer<frmAbout> box = fixture.ShowModeless();
    QTest::mouseClick(AboutFixture::Control<QPushButton>(box, "cmdSysInfo"), Qt::LeftButton);

    QCOMPARE(fixture.launcher.fileTests, fileTests);
    QCOMPARE(fixture.launcher.startRequests, startRequests);
    QCOMPARE(fixture.launcher.started.size(), started ? 1 : 0);
    if (started) {
        QVERIFY(fixture.messages.messages.isEmpty());
    } else {
        QCOMPARE(fixture.messages.messages.size(), 1);
        const MessageRequest& message = fixture.messages.messages.first();
        QCOMPARE(message.strText, kUnavailable);
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(message.buttons, MessageButtons::OK);
        QCOMPARE(message.strCaption, QStringLiteral("Velmora"));
    }
    fixture.VerifyKeysClosed();
    QVERIFY(!fixture.registry.opens.isEmpty());
    FlushDeletes();
    QVERIFY(box && box->isVisible());
    QCOMPARE(frmAbout::Instance(), box.data());
}

void tst_frmAbout::getKeyValue_data()
{
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("callerValue");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("expected");

    const QString value = QStringLiteral("Value");
    const QByteArray old("old");
    const QByteArray full(1024, 'x');
    QTest::newRow("string") << value << uint(REG_SZ) << Sz(QStringLiteral("C:\\Tools")) << old << true
                            << QByteArray("C:\\Tools");
    QTest::newRow("string without a zero") << value << uint(REG_SZ) << QByteArray("C:\\Tools") << old << true
                                           << QByteArray("C:\\Tools");
    QTest::newRow("only the last zero goes") << value << uint(REG_SZ) << QByteArray("ab\0\0", 4) << old << true
                                             << QByteArray("ab\0", 3);
    QTest::newRow("a zero alone") << value << uint(REG_SZ) << QByteArray("\0", 1) << old << true << QByteArray("");
    QTest::newRow("string filling the buffer") << value << uint(REG_SZ) << full << old << true << full;
    QTest::newRow("string too long for the buffer") << value << uint(REG_SZ) << full + 'x' << old << false
                                                    << QByteArray("");
    QTest::newRow("missing value") << QStringLiteral("Other") << uint(REG_SZ) << Sz(QStringLiteral("a")) << old
                                   << false << QByteArray("");
    QTest::newRow("value name in other case") << QStringLiteral("VALUE") << uint(REG_SZ) << Sz(QStringLiteral("a"))
                                              << old << true << QByteArray("a");
    QTest::newRow("binary leaves the text") << value << uint(REG_BINARY) << QByteArray("\x01\x02") << old << true
                                            << old;
    // A number's bytes are read from the last to the first, without leading
    // zeros, after the cut rule has dropped a zero top byte.
    QTest::newRow("number 0x12345678") << value << uint(REG_DWORD) << QByteArray("\x78\x56\x34\x12", 4)
                                       << QByteArray() << true << QByteArray("305419896");
    QTest::newRow("number 1") << value << uint(REG_DWORD) << QByteArray("\x01\0\0\0", 4) << QByteArray() << true
                              << QByteArray("1");
    QTest::newRow("number 0x0A0B") << value << uint(REG_DWORD) << QByteArray("\x0B\x0A\0\0", 4) << QByteArray()
                                   << true << QByteArray("171");
    QTest::newRow("number after the caller's digits") << value << uint(REG_DWORD) << QByteArray("\x01\0\0\0", 4)
                                                      << QByteArray("7") << true << QByteArray("28673");
}

void tst_frmAbout::getKeyValue()
{
    QFETCH(QString, valueName);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, callerValue);
    QFETCH(bool, result);
    QFETCH(QByteArray, expected);

    AboutFixture fixture;
    fixture.registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Test", "Value", type, data);
    frmAbout* pBox = fixture.ShowModeless();

    std::string strValue = callerValue.toStdString();
    QCOMPARE(pBox->GetKeyValue(HKEY_LOCAL_MACHINE, "Software\\Test", valueName.toStdString(), strValue), result);
    QCOMPARE(Bytes(strValue), expected);
    QCOMPARE(fixture.registry.queries.size(), 1);
    QCOMPARE(fixture.registry.queries.first().bufferSize, DWORD(1024));
    fixture.VerifyKeysClosed();
    QCOMPARE(fixture.registry.closes.first().result, ERROR_SUCCESS);
}

void tst_frmAbout::emptyValueRaisesAndClosesKey()
{
    AboutFixture fixture;
    fixture.registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Test", "Value", REG_SZ, QByteArray(""));
    frmAbout* pBox = fixture.ShowModeless();

    std::string strValue = "old";
    QVERIFY_THROWS_EXCEPTION(RegistryValueError,
                             pBox->GetKeyValue(HKEY_LOCAL_MACHINE, "Software\\Test", "Value", strValue));
    fixture.VerifyKeysClosed();
    QCOMPARE(fixture.registry.closes.size(), 1);
    QCOMPARE(fixture.registry.closes.first().result, ERROR_SUCCESS);

    // A missing key is "closed" too, though there is nothing to close.
    QVERIFY(!pBox->GetKeyValue(HKEY_LOCAL_MACHINE, "Software\\Missing", "Value", strValue));
    QVERIFY(strValue.empty());
    QCOMPARE(fixture.registry.closes.size(), 2);
}

void tst_frmAbout::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");

    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    for (const char* pszFocus : {"cmdOK", "picIcon", "cmdSysInfo"}) {
        const QString focus = QLatin1String(pszFocus);
        const bool bSysInfo = focus == QLatin1String("cmdSysInfo");
        QTest::addRow("Esc on %s", pszFocus) << focus << int(Qt::Key_Escape) << none << true;
        QTest::addRow("Return on %s", pszFocus) << focus << int(Qt::Key_Return) << none << !bSysInfo;
        QTest::addRow("keypad Enter on %s", pszFocus) << focus << int(Qt::Key_Enter) << keypad << !bSysInfo;
    }
}

void tst_frmAbout::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);

    // No registry entries: System Info answers with its message.
    AboutFixture fixture;
    QPointer<frmAbout> box = fixture.ShowActive(focus);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    FlushDeletes();
    if (closes) {
        QVERIFY(!box);
        QVERIFY(fixture.messages.messages.isEmpty());
    } else {
        QVERIFY(box && box->isVisible());
        QCOMPARE(fixture.messages.messages.size(), 1);
        QCOMPARE(fixture.messages.messages.first().strText, kUnavailable);
    }
}

void tst_frmAbout::oneInstance()
{
    AboutFixture fixture;
    QPointer<frmAbout> modeless = fixture.ShowModeless();
    QVERIFY(modeless && modeless->isVisible());
    QCOMPARE(fixture.ShowModeless(), modeless.data());
    QCOMPARE(fixture.BoxesAlive(), 1);
    QVERIFY(fixture.modal.forms.isEmpty());

    // A modal request replaces the open box by a fresh one shown modally.
    AboutFixture::Control<QLabel>(modeless, "lblTitle")->setText(QStringLiteral("changed"));
    frmAbout::ShowModalFrom(&fixture.opener);
    QPointer<frmAbout> modal = frmAbout::Instance();
    QVERIFY(modal && modal != modeless);
    QCOMPARE(fixture.modal.forms.size(), 1);
    QCOMPARE(fixture.modal.forms.first().data(), modal.data());
    FlushDeletes();
    QVERIFY(!modeless);
    QCOMPARE(fixture.BoxesAlive(), 1);
    QCOMPARE(AboutFixture::Control<QLabel>(modal, "lblTitle")->text(), QStringLiteral("Velmora"));

    // While it is shown modally, further requests bring it to the front.
    frmAbout::ShowModalFrom(&fixture.opener);
    frmAbout::ShowModeless(&fixture.opener);
    QCOMPARE(frmAbout::Instance(), modal.data());
    QCOMPARE(fixture.modal.forms.size(), 1);
    QCOMPARE(fixture.BoxesAlive(), 1);

    QTest::mouseClick(AboutFixture::Control<QPushButton>(modal, "cmdOK"), Qt::LeftButton);
    FlushDeletes();
    QVERIFY(!modal);
    QCOMPARE(frmAbout::Instance(), nullptr);
    QCOMPARE(fixture.BoxesAlive(), 0);
}

void tst_frmAbout::icon()
{
    for (qreal dRatio : {1.0, 2.0}) {
        const QImage image = ProgramIconPixmap(dRatio).toImage();
        QCOMPARE(image.size(), QSize(32, 32) * dRatio);
        // Some ink, some paper, and a transparent outside corner.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        const QPoint centre(image.width() / 2, image.height() / 2);
        QCOMPARE(image.pixelColor(centre).alpha(), 255);
        QVERIFY(image.pixelColor(centre) != QColor(Qt::white));
    }
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
