#pragma once
// The concrete controls: TextBox, Label, CommandButton, ComboBox.
#include "platform/forms/control.h"
#include <QStringList>

class QLineEdit;
class QLabel;
class QPushButton;
class QComboBox;

namespace forms {

enum class ImeMode { NoControl, Off, Disable };

class TextBox : public Control {
public:
    TextBox(Form* form, QString name, int index = -1);
    QString text() const;
    // Puts the caret at 0 with no selection, as the original toolkit did.
    void setText(const QString& text);
    // Characters the operator can type; 0 = no limit. Text set from code is kept whole.
    int maxLength() const;
    void setMaxLength(int chars);
    int selStart() const;
    int selLength() const;
    void setSelStart(int pos);  // clears the selection
    void setSelLength(int len); // selects from selStart
    bool locked() const;
    void setLocked(bool on);
    ImeMode imeMode() const;
    void setImeMode(ImeMode mode);
    QLineEdit* lineEdit() const;
    // Raised for every change of the text, typed or assigned (after the caret is put back).
    std::function<void()> onChange;

private:
    bool assigning_ = false;
    int maxLength_ = 0;
    QString text_; // the text before the edit under way
    ImeMode ime_ = ImeMode::NoControl;
};

class Label : public Control {
public:
    Label(Form* form, QString name, int index = -1);
    QString caption() const;
    void setCaption(const QString& caption);
    // 0 left, 1 right, 2 centre (vertically centred)
    void setAlignment(int alignment);
    // 0 none, 1 fixed single
    void setBorderStyle(int style);
    // The control this label titles: screen readers take the caption as the control's label
    // (on Linux the only name a drop-down list gets besides its current entry).
    void setLabelFor(Control* control);
    QLabel* label() const;
};

class CommandButton : public Control {
public:
    CommandButton(Form* form, QString name, int index = -1);
    QString caption() const;
    void setCaption(const QString& caption); // "&A" gives the Alt+A mnemonic
    QPushButton* button() const;
};

// Drop-down list: the operator can only pick an entry.
class ComboBox : public Control {
public:
    ComboBox(Form* form, QString name, int index = -1);
    void addItem(const QString& item);
    void clear();
    int listIndex() const;        // -1 none
    void setListIndex(int index); // out of range: ignored, returns without change
    QString list(int index) const;
    int listCount() const;
    QString text() const; // the selected entry, "" when none
    QComboBox* comboBox() const;
    // Raised when the selection changes, by the operator or by code; onClick is raised with it,
    // as the original list's Click event was.
    std::function<void()> onChange;
};

} // namespace forms
