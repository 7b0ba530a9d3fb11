#include "frmAbout.h"

#include "FormLayout.h"
#include "MessageBox.h"
#include "ModalForm.h"
#include "ProcessLauncher.h"
#include "ProgramIcon.h"
#include "ProgramIdentity.h"
#include "PushButton.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <charconv>
#include <cstdint>

namespace {

const char* const kEmailAddress = "velmora@example.org";
const char* const kBlogAddress = "https://blog.velmora.example.org";

// Where the system information tool is registered: first its full path, then
// the folder that holds it.
const char* const gREGKEYSYSINFO = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const gREGVALSYSINFO = "PATH";
const char* const gREGKEYSYSINFOLOC = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const gREGVALSYSINFOLOC = "MSINFO";
const char* const kSysInfoFile = "\\MSINFO32.EXE";

// The keys are opened asking for every key right (write rights included), so
// a user who may only read them does not get them.
constexpr REGSAM kKeyAccess = READ_CONTROL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
                              | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK;
static_assert(kKeyAccess == 0x2003F);

constexpr DWORD kValueBufferSize = 1024;

QPointer<frmAbout>& TheInstance()
{
    static QPointer<frmAbout> instance;
    return instance;
}

// Closes the key when the lookup ends, whichever way it ends; also when the
// key was never opened (the handle is then 0 and the close is refused).
class KeyCloser {
public:
    explicit KeyCloser(const HKEY& hKey) : m_hKey(hKey) {}
    ~KeyCloser() { RegCloseKey(m_hKey); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    const HKEY& m_hKey;
};

// "&h" followed by 1 to 8 hexadecimal digits reads as that number and gives
// its decimal text; any other text stays as it is.
std::string FormatHexLiteral(const std::string& strText)
{
    if (strText.size() < 3 || strText.size() > 10 || strText.compare(0, 2, "&h") != 0)
        return strText;
    std::uint32_t uValue = 0;
    const char* pEnd = strText.data() + strText.size();
    const auto [pStop, error] = std::from_chars(strText.data() + 2, pEnd, uValue, 16);
    if (error != std::errc() || pStop != pEnd)
        return strText;
    return std::to_string(uValue);
}

// Upper-case hexadecimal digits of a character code, without leading zeros.
std::string HexDigits(unsigned char c)
{
    char digits[2];
    const auto [pEnd, error] = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned>(c), 16);
    std::string strDigits(digits, error == std::errc() ? pEnd : digits);
    for (char& d : strDigits)
        d = static_cast<char>(d >= 'a' && d <= 'f' ? d - 'a' + 'A' : d);
    return strDigits;
}

// One of the two separator lines: a strip of one colour covering the line's
// pixels.
class LineShape : public QWidget {
public:
    LineShape(QWidget* pParent, const QColor& colour) : QWidget(pParent), m_colour(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_colour);
    }

private:
    QColor m_colour;
};

// The icon in a sunken frame. It takes the focus like any picture box; keys
// it gets pass on to the window.
class IconPicture : public QFrame {
public:
    explicit IconPicture(QWidget* pParent) : QFrame(pParent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* pEvent) override
    {
        QFrame::paintEvent(pEvent);
        QPainter painter(this);
        ProgramIcon().paint(&painter, contentsRect());
    }
};

} // namespace

frmAbout::frmAbout(QWidget* pOpener)
    : QDialog(pOpener, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    MarkAsForm(this);
    setWindowIcon(ProgramIcon());
    setSizeGripEnabled(false);
    UseWindowFont(this);
    setFixedSize(TwipsSize(5730, 3555));

    CreateControls();
    SetTabOrder();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::CreateControls()
{
    picIcon = Place(new IconPicture(this), "picIcon", TwipsRect(240, 240, 540, 540));
    picIcon->setAccessibleName(tr("Program icon"));
    lblTitle = Place(new QLabel(this), "lblTitle", TwipsRect(1080, 240, 3885, 480));
    lblVersion = Place(new QLabel(this), "lblVersion", TwipsRect(1050, 780, 3885, 225));
    lblDescription = Place(new QLabel(this), "lblDescription", TwipsRect(1050, 1125, 3885, 1170));
    lblDisclaimer = Place(new QLabel(this), "lblDisclaimer", TwipsRect(255, 2610, 3870, 825));
    for (QLabel* pLabel : {lblTitle, lblVersion, lblDescription, lblDisclaimer}) {
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pLabel->setWordWrap(true);
    }

    // An etched separator: a grey line with a white one just below it. Each
    // line covers its pixels from the start point up to, not including, the
    // end point; the white one is 2 pixels wide.
    Line1[1] = Place(new LineShape(this, QColor(0x80, 0x80, 0x80)), "Line1_1", TwipsRect(90, 2445, 5654 - 90, 15));
    Line1[0] = Place(new LineShape(this, QColor(0xFF, 0xFF, 0xFF)), "Line1_0", TwipsRect(105, 2460, 5654 - 105, 30));

    cmdOK = Place(new PushButton(tr("OK"), this), "cmdOK", TwipsRect(4245, 2625, 1260, 345));
    cmdSysInfo = Place(new PushButton(tr("&System Info..."), this), "cmdSysInfo", TwipsRect(4260, 3075, 1245, 345));
    // OK takes Enter from every control but System Info, which acts on
    // Enter itself; Esc closes the window through reject().
    cmdOK->setDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::SetTabOrder()
{
    // The labels follow in the tab order but never take the focus.
    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About ") + ProgramTitle());
    lblVersion->setText(tr("Version ") + QStringLiteral("%1.%2.%3").arg(kProgramVersionMajor).arg(kProgramVersionMinor).arg(kProgramVersionPatch));
    lblTitle->setText(ProgramTitle());
    lblDescription->setText(QStringList{ProgramTitle() + tr(" and other Softwares can be found at:"),
                                        QLatin1String(kProgramWebAddress),
                                        tr("Email: ") + QLatin1String(kEmailAddress),
                                        tr("Blog: ") + QLatin1String(kBlogAddress)}
                                .join(QStringLiteral("\r\n")));
}

void frmAbout::closeEvent(QCloseEvent* pEvent)
{
    QDialog::closeEvent(pEvent);
    // A closed box is gone for every later request, even before Qt deletes it.
    if (!pEvent->isAccepted() || TheInstance() != this)
        return;
    TheInstance() = nullptr;
    // Shown modally, the modal helper hands the activation back.
    if (!m_bModal)
        ReturnActivation(this, parentWidget());
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    const auto tryStart = [this] {
        std::string InfoToolPath;
        if (!GetKeyValue(HKEY_LOCAL_MACHINE, gREGKEYSYSINFO, gREGVALSYSINFO, InfoToolPath)) {
            // The tool's own entry is missing: look for the folder it lives in.
            if (!GetKeyValue(HKEY_LOCAL_MACHINE, gREGKEYSYSINFOLOC, gREGVALSYSINFOLOC, InfoToolPath))
                return false;
            if (!FileExists(QString::fromLocal8Bit(InfoToolPath + kSysInfoFile)))
                return false;
            InfoToolPath += kSysInfoFile;
        }
        return StartProgram(QString::fromLocal8Bit(InfoToolPath));
    };

    bool bStarted = false;
    try {
        bStarted = tryStart();
    } catch (...) {
        bStarted = false;
    }
    if (!bStarted)
        ShowMessage(tr("System Information Is Unavailable At This Time"), MessageIcon::None, MessageButtons::OK);
}

bool frmAbout::GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal)
{
    HKEY hKey = 0;
    const KeyCloser closer(hKey);

    if (RegOpenKeyExA(KeyRoot, KeyName, 0, kKeyAccess, hKey) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }

    std::string tmpVal(kValueBufferSize, '\0');
    DWORD KeyValSize = kValueBufferSize;
    DWORD KeyValType = REG_NONE;
    if (RegQueryValueExA(hKey, SubKeyRef, KeyValType, reinterpret_cast<BYTE*>(tmpVal.data()), KeyValSize)
        != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }

    // The data may or may not end in a zero character; drop one if it does.
    if (KeyValSize == 0)
        throw RegistryValueError("empty registry value");
    if (KeyValSize <= tmpVal.size()) {
        const bool bTerminated = tmpVal[KeyValSize - 1] == '\0';
        tmpVal.resize(bTerminated ? KeyValSize - 1 : KeyValSize);
    }

    switch (KeyValType) {
    case REG_SZ:
        KeyVal = tmpVal;
        break;
    case REG_DWORD:
        // The bytes are read from the last to the first, each as hexadecimal
        // digits without a leading zero, after what KeyVal held already.
        for (auto it = tmpVal.rbegin(); it != tmpVal.rend(); ++it)
            KeyVal += HexDigits(static_cast<unsigned char>(*it));
        KeyVal = FormatHexLiteral("&h" + KeyVal);
        break;
    default:
        break;
    }
    return true;
}

frmAbout* frmAbout::Instance()
{
    return TheInstance();
}

void frmAbout::ShowModeless(QWidget* pOpener)
{
    QPointer<frmAbout>& instance = TheInstance();
    if (instance) {
        instance->raise();
    } else {
        instance = new frmAbout(pOpener);
        instance->show();
    }
    instance->activateWindow();
}

void frmAbout::ShowModalFrom(QWidget* pOpener)
{
    QPointer<frmAbout>& instance = TheInstance();
    if (instance && instance->m_bModal) {
        instance->raise();
        instance->activateWindow();
        return;
    }
    if (instance) {
        // The box open beside the main window makes way for a modal one.
        QPointer<frmAbout> modeless = instance;
        instance = nullptr;
        modeless->close();
    }
    instance = new frmAbout(pOpener);
    instance->m_bModal = true;
    ShowModal(instance, pOpener);
}
