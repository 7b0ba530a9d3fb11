#include "frmTable.h"

#include "Clipboard.h"
#include "FormLayout.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "PushButton.h"
#include "SaveFileDialog.h"
#include "ValueTableModel.h"
#include "WholeFile.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>

#include <algorithm>
#include <set>

namespace {

} // namespace

frmTable::frmTable(const QStringList& entries, const GraphView& view, QWidget* pParent)
    : QDialog(pParent)
{
    setObjectName(QStringLiteral("frmTable"));
    setWindowTitle(tr("Table of Values"));
    setAttribute(Qt::WA_DeleteOnClose);
    UseWindowFont(this);
    setFixedSize(QSize(560, 430));

    lblFrom = Place(new QLabel(tr("&From"), this), "lblFrom", QRect(10, 13, 34, 17));
    txtFrom = Place(new QLineEdit(this), "txtFrom", QRect(46, 10, 100, 22));
    lblTo = Place(new QLabel(tr("&To"), this), "lblTo", QRect(160, 13, 20, 17));
    txtTo = Place(new QLineEdit(this), "txtTo", QRect(182, 10, 100, 22));
    lblStep = Place(new QLabel(tr("St&ep"), this), "lblStep", QRect(296, 13, 30, 17));
    txtStep = Place(new QLineEdit(this), "txtStep", QRect(328, 10, 100, 22));
    cmdShow = Place(new PushButton(tr("&Show"), this), "cmdShow", QRect(450, 9, 100, 24));
    grdValues = Place(new QTableView(this), "grdValues", QRect(10, 42, 540, 340));
    cmdSave = Place(new PushButton(tr("S&ave..."), this), "cmdSave", QRect(340, 394, 100, 26));
    cmdClose = Place(new PushButton(tr("&Close"), this), "cmdClose", QRect(450, 394, 100, 26));
    for (auto [pLabel, pBox] : {std::pair(lblFrom, txtFrom), std::pair(lblTo, txtTo), std::pair(lblStep, txtStep)}) {
        pLabel->setBuddy(pBox);
        pBox->setAccessibleName(pLabel->text().remove(QLatin1Char('&')));
    }
    grdValues->setAccessibleName(tr("Values"));
    cmdShow->setDefault(true);

    m_pModel = new ValueTableModel(entries, this);
    grdValues->setModel(m_pModel);
    grdValues->verticalHeader()->hide();
    grdValues->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdValues->horizontalHeader()->setDefaultSectionSize(120);
    grdValues->setWordWrap(false);
    grdValues->installEventFilter(this);

    // The visible x range of the view, one division a row.
    const double dStart = std::min(view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX);
    const double dEnd = std::max(view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX);
    txtFrom->setText(GeneralText(dStart));
    txtTo->setText(GeneralText(dEnd));
    txtStep->setText(GeneralText((dEnd - dStart) / 2 / DivisionsX(view)));

    connect(cmdShow, &QPushButton::clicked, this, &frmTable::cmdShow_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTable::Save);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    cmdShow_Click();
}

frmTable::~frmTable() = default;

void frmTable::cmdShow_Click()
{
    const std::variant<TableRange, QString> range = ReadTableRange(txtFrom->text(), txtTo->text(), txtStep->text());
    if (const auto* pstrRefusal = std::get_if<QString>(&range)) {
        ShowError(*pstrRefusal);
        return;
    }
    m_pModel->SetRange(std::get<TableRange>(range));
}

bool frmTable::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == grdValues && pEvent->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(pEvent)->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void frmTable::CopySelection()
{
    // The rows and columns the selection touches, in order; a cell among
    // them that is not selected stays empty.
    const QItemSelection selection = grdValues->selectionModel()->selection();
    std::set<int> rows;
    std::set<int> columns;
    for (const QItemSelectionRange& part : selection) {
        for (int r = part.top(); r <= part.bottom(); ++r)
            rows.insert(r);
        for (int c = part.left(); c <= part.right(); ++c)
            columns.insert(c);
    }
    if (rows.empty())
        return;
    const QChar point = QLocale().decimalPoint().front();
    QStringList header;
    for (const int c : columns)
        header.append(m_pModel->headerData(c, Qt::Horizontal).toString());
    QString strText = header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const int r : rows) {
        QStringList cells;
        for (const int c : columns)
            cells.append(selection.contains(m_pModel->index(r, c)) ? FullCell(m_pModel->Value(r, c), point)
                                                                   : QString());
        strText += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    CurrentClipboard().SetText(strText);
}

void frmTable::Save()
{
    const std::optional<SaveDialogAnswer> answer = ShowSaveDialog(
        this,
        SaveDialogRequest{tr("CSV files (*.csv)|*.csv"), QStringLiteral("csv"),
                          QDir(UserFolder(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("table.csv")),
                          0});
    if (!answer)
        return;
    const QString strFile = WithExtension(answer->strFile, QStringLiteral("csv"));
    QString strReason;
    if (!WriteWholeFile(strFile, TableText(m_pModel->Range(), m_pModel->Columns(), true).toUtf8(), &strReason))
        ShowError(tr("The table could not be saved as \"%1\": %2").arg(QDir::toNativeSeparators(strFile), strReason));
}
