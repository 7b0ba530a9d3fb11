#pragma once

// The main window on screen for tests, with its display, messages, samples
// file and modal windows replaced by test doubles.

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "DisplayDouble.h"
#include "NonBlockingModal.h"
#include "RecordedMessages.h"
#include "frmMain.h"

// A main window on a 1024 x 768 display, with messages recorded instead of
// shown and samples read from a folder of the test's own.
struct MainWindow {
    // A scripted answer (when not negative) goes to the first message, which
    // may come while the window loads.
    explicit MainWindow(const QByteArray& samples = QByteArray("sin(x)\nx^2\nsin(x\n\"a,b\"\n"),
                        QSize screen = QSize(1024, 768), int iFirstAnswer = -1)
        : display(screen.width(), screen.height())
    {
        if (iFirstAnswer >= 0)
            messages.ScriptAnswer(static_cast<MessageAnswer>(iFirstAnswer));
        if (!samples.isNull()) {
            QFile file(folder.filePath(QStringLiteral("samples.txt")));
            if (!file.open(QIODevice::WriteOnly) || file.write(samples) != samples.size())
                qFatal("cannot write the samples file");
        }
        window = new frmMain(QStringList{folder.path()});
    }
    ~MainWindow() { delete window; }

    void Show()
    {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("the main window did not become active");
    }

    template <typename T>
    T* Control(const char* pszName) const
    {
        T* pControl = window->findChild<T*>(QLatin1String(pszName));
        if (!pControl)
            qFatal("no control %s", pszName);
        return pControl;
    }
    QLineEdit* Text() const { return Control<QLineEdit>("txtExpression"); }
    QListWidget* List() const { return Control<QListWidget>("lstExpression"); }
    QListWidget* Samples() const { return Control<QListWidget>("lstSample"); }
    QPushButton* Button(const char* pszName) const { return Control<QPushButton>(pszName); }

    void Click(const char* pszName) const { QTest::mouseClick(Button(pszName), Qt::LeftButton); }

    // Types the text into the text box and presses Enter there.
    void Enter(const QString& strText) const
    {
        Text()->setFocus();
        QTest::keyClicks(Text(), strText);
        QTest::keyClick(Text(), Qt::Key_Return);
    }

    static QStringList Entries(const QListWidget* pList)
    {
        QStringList entries;
        for (int i = 0; i < pList->count(); ++i)
            entries.append(pList->item(i)->text());
        return entries;
    }
    QStringList Entries() const { return Entries(List()); }

    static void ClickRow(QListWidget* pList, int iRow)
    {
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pList->item(iRow)).center());
    }

    // A real double click: press, release, double-click, release.
    static void DoubleClickRow(QListWidget* pList, int iRow)
    {
        const QPoint point = pList->visualItemRect(pList->item(iRow)).center();
        QTest::mousePress(pList->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(pList->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(pList->viewport(), Qt::LeftButton, {}, point);
    }

    QTemporaryDir folder;
    DisplayDouble display;
    RecordedMessages messages;
    NonBlockingModal modal;
    QPointer<frmMain> window;
};
