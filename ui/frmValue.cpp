#include "frmValue.h"

#include "EntryEvaluation.h"
#include "FormLayout.h"
#include "MessageBox.h"
#include "NumberInput.h"
#include "PushButton.h"
#include "SystemColors.h"
#include "Twips.h"
#include "clsMath.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

#include <algorithm>
#include <optional>

namespace {

// The window's height grows by one line per expression, while the height in
// twips still fits a 16-bit number.
constexpr int kBaseHeightTwips = 3600;
constexpr int kHeightPerLineTwips = 400;
constexpr int kLargestTwips = 32767;

constexpr int kFirstLineY = 200;
constexpr int kLineSpacing = 25;
constexpr int kLineX = 20;
constexpr std::uint32_t kColorStep = 50000;

} // namespace

frmValue::frmValue(const QListWidget& lstExpression, QWidget* pParent)
    : QDialog(pParent)
    , m_lstExpression(lstExpression)
    , m_canvas(m_surface)
    , m_screen(m_surface, m_canvas)
{
    setObjectName(QStringLiteral("frmValue"));
    setWindowTitle(tr("Expressions Comparison"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    UseWindowFont(this);
    setFixedSize(TwipsSize(4680, 2055));

    cmdEvaluate = Place(new PushButton(tr("&Evaluate"), this), "cmdEvaluate", TwipsRect(240, 1200, 1815, 495));
    cmdEvaluate->setDefault(true);
    // Enter presses the Evaluate button, or the Return button while that has
    // the focus.
    Command1 = Place(new PushButton(tr("&Return"), this), "Command1", TwipsRect(2400, 1200, 1455, 495));
    txtValue = Place(new QLineEdit(this), "txtValue", TwipsRect(2535, 465, 1650, 285));
    lblValue = Place(new QLabel(tr("Enter value for evaluation"), this), "lblValue", TwipsRect(330, 495, 1950, 240));
    lblValue->setBuddy(txtValue);
    txtValue->setAccessibleName(lblValue->text());
    setTabOrder(cmdEvaluate, Command1);
    setTabOrder(Command1, txtValue);
    cmdEvaluate->setFocus();

    // The output is written in a larger font than the controls use.
    QFont outputFont = font();
    outputFont.setPointSize(12);
    m_canvas.Font = outputFont;
    m_canvas.BackColor = ValueFromColor(palette().color(QPalette::Window));
    m_surface = PictureCanvas::NewImage(size(), palette().color(QPalette::Window));

    connect(cmdEvaluate, &QPushButton::clicked, this, &frmValue::cmdEvaluate_Click);
    connect(Command1, &QPushButton::clicked, this, &frmValue::Command1_Click);
}

frmValue::~frmValue() = default;

void frmValue::paintEvent(QPaintEvent*)
{
    // A new screen copy is written afresh, at the screen's resolution.
    if (m_screen.Follow(devicePixelRatioF())) {
        m_canvas.Cls();
        for (const OutputLine& line : std::as_const(m_lines))
            WriteLine(line);
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(0, 0, m_screen.Shown());
}

void frmValue::SetOuterHeight(int iPixels)
{
    const int iFrame = frameGeometry().height() - height();
    setFixedHeight(qMax(1, iPixels - iFrame));
    m_surface = PictureCanvas::NewImage(size(), palette().color(QPalette::Window));
    m_screen.Follow(devicePixelRatioF());
}

void frmValue::cmdEvaluate_Click()
{
    const std::optional<double> dValueX = ReadNumber(txtValue->text());
    if (!dValueX) {
        ShowMessage(ValueNotANumber(), MessageIcon::Critical);
        txtValue->setFocus();
        txtValue->selectAll();
        return;
    }

    const int iCount = m_lstExpression.count();
    const qint64 iHeightTwips = kBaseHeightTwips + qint64(kHeightPerLineTwips) * iCount;
    if (iHeightTwips <= kLargestTwips)
        SetOuterHeight(TwipsToPixels(int(iHeightTwips)));
    m_canvas.Cls();
    m_lines.clear();

    clsMath objMath;
    for (int i = 0; i < iCount; ++i) {
        const QString strEntry = m_lstExpression.item(i)->text();
        const auto lColor = static_cast<std::uint32_t>((i + 1) * qint64(kColorStep) % 0x1000000);
        const QPoint at(kLineX, kFirstLineY + kLineSpacing * i);
        m_lines.append({ValueLine(objMath, strEntry, *dValueX), lColor, at});
        WriteLine(m_lines.last());
    }
    // A screen reader reads the lines whole, however they are shortened.
    QStringList lines;
    for (const OutputLine& line : std::as_const(m_lines))
        lines.append(line.strText);
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
    update();
}

void frmValue::WriteLine(const OutputLine& line)
{
    // Lines below the surface would not show; they are kept all the same.
    if (line.at.y() >= m_surface.height())
        return;
    m_canvas.ForeColor = line.lColor;
    m_canvas.CurrentX = line.at.x();
    m_canvas.CurrentY = line.at.y();
    // The expression with its "=", then the value after it. A line too
    // long for the window loses the middle of its expression, so that "="
    // and the value stay in view.
    const qsizetype iValueStart = line.strText.lastIndexOf(QLatin1Char('=')) + 1;
    QString strExpression = line.strText.left(iValueStart);
    const QString strValue = line.strText.mid(iValueStart);
    const QFontMetricsF metrics(m_canvas.Font);
    const double dRoom = m_surface.width() - line.at.x() - kLineX;
    if (metrics.horizontalAdvance(line.strText) > dRoom) {
        const double dForExpression = dRoom - metrics.horizontalAdvance(strValue + QLatin1Char('='));
        strExpression = metrics.elidedText(strExpression.chopped(1), Qt::ElideMiddle, std::max(dForExpression, 0.0))
                      + QLatin1Char('=');
    }
    m_canvas.Print(strExpression, false);
    m_canvas.Print(strValue, false);
}

bool frmValue::event(QEvent* pEvent)
{
    // Each line's tooltip is the line whole.
    if (pEvent->type() == QEvent::ToolTip) {
        auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        const QFontMetrics metrics(m_canvas.Font);
        for (const OutputLine& line : std::as_const(m_lines)) {
            if (QRect(line.at, QSize(width(), metrics.height())).contains(pHelp->pos())) {
                QToolTip::showText(pHelp->globalPos(), line.strText, this);
                return true;
            }
        }
        QToolTip::hideText();
        pEvent->ignore();
        return true;
    }
    return QDialog::event(pEvent);
}

void frmValue::Command1_Click()
{
    close();
}
