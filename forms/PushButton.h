#pragma once

#include <QPushButton>

// The push button of the program's windows. Enter and keypad Enter press it
// while it has the focus, as Space does; a held key presses it once. It never
// becomes a dialog's default button by taking the focus, so Enter typed into
// a text box still goes where the window sends it: to the button the window
// made its default, or to the text box's own handler.
class PushButton : public QPushButton {
    Q_OBJECT

public:
    explicit PushButton(const QString& strCaption, QWidget* pParent = nullptr);
    explicit PushButton(QWidget* pParent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;

private:
    // Enter went down here and has not come up yet.
    bool m_bEnterDown = false;
};
