#include <QtTest>

class Testfrmpreferences : public QObject {
    Q_OBJECT
};

QTEST_MAIN(Testfrmpreferences)
#include "tst_frmpreferences.moc"
