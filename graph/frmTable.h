#pragma once

#include "GraphView.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class ValueTableModel;

// The table of values: the expressions evaluated from x = From to To in
// steps of Step, one row each. Ctrl+C copies the selected cells with their
// headers as tab-separated text, in full; Save writes the whole table as
// CSV.
class frmTable : public QDialog {
    Q_OBJECT

public:
    // The expressions, and the view whose visible x range and division the
    // table starts from.
    frmTable(const QStringList& entries, const GraphView& view, QWidget* pParent = nullptr);
    ~frmTable() override;

    // Shows the range the boxes give, or says why it cannot.
    void cmdShow_Click();
    void CopySelection();
    void Save();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    ValueTableModel* m_pModel = nullptr;
    QLabel* lblFrom = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLabel* lblTo = nullptr;
    QLineEdit* txtTo = nullptr;
    QLabel* lblStep = nullptr;
    QLineEdit* txtStep = nullptr;
    QPushButton* cmdShow = nullptr;
    QTableView* grdValues = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClose = nullptr;
};
