#include <QtTest>

class Testfrmabout : public QObject {
    Q_OBJECT
};

QTEST_MAIN(Testfrmabout)
#include "tst_frmabout.moc"
