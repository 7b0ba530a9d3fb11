#pragma once

#include "SystemColors.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

class PropertyBag;

// The program's own push button. It draws itself completely in one of four
// looks (raised, focused, pushed, disabled) and reports the user's input
// through its events, whose arguments handlers may change: the button tests
// them after raising the event.
//
// Enabled is the button's own flag, not the widget's: a disabled button
// still takes the focus and receives input, but ignores everything except
// painting and raises nothing.
class WCButton : public QWidget {
    Q_OBJECT

public:
    explicit WCButton(QWidget* pParent = nullptr);

    // Properties, in the order in which they are set, saved and loaded.
    // Every setter stores its value unchecked, reports the change to the
    // container and redraws, even when the value is unchanged.
    std::uint32_t BackColor() const { return m_lBackColor; }
    void SetBackColor(std::uint32_t lColor);
    std::uint32_t ForeColor() const { return m_lForeColor; }
    void SetForeColor(std::uint32_t lColor);
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);
    bool Enabled() const { return m_bEnabled; }
    void SetEnabled(bool bEnabled);
    // 0 left, 1 right, 2 centre; any other value hides the caption.
    std::int32_t Alignment() const { return m_lAlignment; }
    void SetAlignment(std::int32_t lAlignment);
    QString Caption() const { return m_strCaption; }
    void SetCaption(const QString& strCaption);
    bool ShowFocusRect() const { return m_bShowFocusRect; }
    void SetShowFocusRect(bool bShow);

    // The three operations of the container's layout store. A new instance
    // takes the container's font and the button's name as its caption.
    void InitProperties();
    void ReadProperties(const PropertyBag& propBag);
    void WriteProperties(PropertyBag& propBag) const;

    // The surface as last drawn.
    const QImage& Surface() const { return m_surface; }

signals:
    void Click();
    void DoubleClick();
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void KeyPress(qint16& KeyAscii);
    void KeyUp(qint16& KeyCode, qint16& Shift);
    void MouseDown(qint16& Button, qint16& Shift, float& X, float& Y);
    void MouseMove(qint16& Button, qint16& Shift, float& X, float& Y);
    void MouseUp(qint16& Button, qint16& Shift, float& X, float& Y);
    // The named property was assigned; the container marks its layout as
    // changed.
    void PropertyChanged(const QString& strName);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    void PropertyAssigned(const char* pszName);
    void FocusNotified(bool bHasFocus);
    void Redraw();
    void Render();
    void DrawBorder(class ButtonSurface& surface);
    void DrawCaption(class ButtonSurface& surface);
    static std::int32_t GetDarkShadowColor();
    static void SplitColor(std::int32_t lColor, std::int16_t& iRed, std::int16_t& iGreen, std::int16_t& iBlue);

    std::uint32_t m_lBackColor = kButtonFaceColor;
    std::uint32_t m_lForeColor = 0;
    QFont m_font;
    bool m_bEnabled = true;
    bool HasFocus = false;
    bool m_bShowFocusRect = true;
    bool Pressed = false;
    std::int32_t m_lAlignment = 2;
    QString m_strCaption;

    // A left press on the button arms the click that its release gives.
    bool m_bClickArmed = false;
    QImage m_surface;
    // The colour the surface is cleared to: the last background that could
    // be resolved.
    QColor m_surfaceBack;
};
