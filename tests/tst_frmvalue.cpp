#include <QtTest>

class Testfrmvalue : public QObject {
    Q_OBJECT
};

QTEST_MAIN(Testfrmvalue)
#include "tst_frmvalue.moc"
