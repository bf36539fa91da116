#pragma once
// Base of the control model: the original toolkit's properties and events over a Qt widget.
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace forms {

class Form;

enum class ControlKind { TextBox, Label, CommandButton, ComboBox, FlexGrid, DataGrid, DataControl };

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    // The name; elements of a control array share the array's name and differ by index().
    const QString& name() const { return name_; }
    int index() const { return index_; } // -1 when not in a control array
    Form* form() const { return form_; }
    QWidget* widget() const { return widget_; }

    // Geometry in twips, relative to the form's client area.
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void move(int left, int top, int width, int height);

    // Setting a TabIndex moves the control to that position and renumbers the others of its
    // form to 0..N-1 without gaps; the Qt focus chain follows the numbers. A data control
    // takes no number (-1) and ignores the setting.
    int tabIndex() const;
    void setTabIndex(int index);

    bool enabled() const;
    void setEnabled(bool on);
    bool visible() const; // the control's own Visible property (not whether the form shows)
    void setVisible(bool on);

    uint32_t backColor() const;
    void setBackColor(uint32_t oleColor);
    uint32_t foreColor() const;
    void setForeColor(uint32_t oleColor);

    QString fontName() const;
    double fontSize() const; // points
    bool fontBold() const;
    bool fontItalic() const;
    bool fontStrikethru() const;
    bool fontUnderline() const;
    // Returns false (and changes nothing) for a value the toolkit refuses (empty name,
    // size <= 0 or > 2160).
    bool setFontName(const QString& name);
    bool setFontSize(double points);
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontStrikethru(bool on);
    void setFontUnderline(bool on);

    // What a screen reader speaks for the control. Labels and buttons speak their caption
    // unless given a name; a label that has one speaks its caption as the description.
    QString accessibleName() const;
    void setAccessibleName(const QString& name);

    // Focus set from code while the window is inactive (a message box is open) raises
    // LostFocus/GotFocus at once; Qt would only move it when the window is activated again.
    void setFocus();
    bool hasFocus() const; // the control is the form's active control

    // Events. Key codes and shift states are the original ones (see keys.h).
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void()> onClick;
    std::function<void()> onDblClick;

protected:
    Control(ControlKind kind, Form* form, QString name, int index, QWidget* widget);

private:
    friend class Form;
    void applyColors();
    ControlKind kind_;
    Form* form_;
    QString name_;
    int index_;
    QWidget* widget_;
    int tabIndex_ = 0;
    uint32_t backColor_ = 0;
    uint32_t foreColor_ = 0;
    bool visible_ = true;
    QRect twips_; // geometry as last set, so that reading it back gives the same twips
};

} // namespace forms
