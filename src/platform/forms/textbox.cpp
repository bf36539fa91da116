#include "platform/forms/controls.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/ime/inputmethod.h"
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QValidator>

namespace forms {

namespace {

// A text box holds no NUL (a Windows edit control ends its text there, and drivers would cut a
// value there): it is dropped from whatever comes in.
// MaxLength limits what the operator types, pastes or commits, not what code assigns:
// QLineEdit's own limit would cut assigned text too. Like that limit, an edit keeps only as
// much of what it inserts (just before the caret) as fits; the text may stay longer than the
// limit when code put it there.
class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit* edit, const int& limit, const QString& before, const bool& assigning)
        : QValidator(edit), limit_(limit), before_(before), assigning_(assigning) {}
    State validate(QString& input, int& pos) const override {
        pos -= int(input.left(pos).count(QChar(0)));
        input.remove(QChar(0));
        if (assigning_ || limit_ <= 0) return Acceptable;
        const qsizetype excess = input.size() - std::max<qsizetype>(limit_, before_.size());
        if (excess > 0) {
            const qsizetype from = std::max<qsizetype>(pos - excess, 0);
            input.remove(from, excess);
            pos = int(from);
        }
        return Acceptable;
    }

private:
    const int& limit_;
    const QString& before_;
    const bool& assigning_;
};

// The input method obeys the box's mode. Qt hands keys to the input method of any line edit
// that answers the ImEnabled query with true, whatever its WA_InputMethodEnabled says.
class ImeLineEdit : public QLineEdit {
public:
    ImeLineEdit(QWidget* parent, const ImeMode& mode, const int& limit)
        : QLineEdit(parent), mode_(mode), limit_(limit) {
        connect(this, &QLineEdit::textChanged, this, &ImeLineEdit::recheck);
        connect(this, &QLineEdit::selectionChanged, this, &ImeLineEdit::recheck);
    }

    // Tells the input method when the answer to ImEnabled changes under the focus.
    void recheck() {
        const bool takes = takesInputMethod();
        if (takes == took_) return;
        took_ = takes;
        if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled && !takesInputMethod()) return false;
        return QLineEdit::inputMethodQuery(query);
    }

protected:
    // A box that starts switched off is switched off each time it gets the focus, once the
    // input method has seen the focus arrive.
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        if (mode_ != ImeMode::Off) return;
        QMetaObject::invokeMethod(
            this,
            [box = QPointer<ImeLineEdit>(this)] {
                if (box && box->hasFocus() && box->mode_ == ImeMode::Off) ime::switchOff();
            },
            Qt::QueuedConnection);
    }

private:
    // A full box with nothing selected takes no composition: its key is refused as a typed
    // one is, instead of a composition that the focus change would commit later.
    bool takesInputMethod() const {
        if (mode_ == ImeMode::Disable) return false;
        return limit_ <= 0 || hasSelectedText() || text().size() < limit_;
    }
    const ImeMode& mode_;
    const int& limit_;
    bool took_ = true;
};

} // namespace

TextBox::TextBox(Form* form, QString name, int index)
    : Control(ControlKind::TextBox, form, std::move(name), index,
              new ImeLineEdit(form, ime_, maxLength_)) {
    lineEdit()->setValidator(new TypingLimit(lineEdit(), maxLength_, text_, assigning_));
    // A refused insertion reports the text it started from: no change.
    QObject::connect(lineEdit(), &QLineEdit::textChanged, lineEdit(), [this](const QString& t) {
        if (t == text_) return;
        text_ = t;
        if (!assigning_) detail::fire(onChange);
    });
}

QLineEdit* TextBox::lineEdit() const {
    return static_cast<QLineEdit*>(widget());
}

QString TextBox::text() const {
    return lineEdit()->text();
}

// Qt leaves the caret at the end of assigned text; the screens expect it at the start.
void TextBox::setText(const QString& assigned) {
    const QString text = QString(assigned).remove(QChar(0));
    if (text == lineEdit()->text()) {
        lineEdit()->setCursorPosition(0);
        return;
    }
    {
        const QScopedValueRollback assigning(assigning_, true);
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(0);
    }
    detail::fire(onChange);
}

int TextBox::maxLength() const {
    return maxLength_;
}

void TextBox::setMaxLength(int chars) {
    maxLength_ = std::max(chars, 0);
    static_cast<ImeLineEdit*>(lineEdit())->recheck();
}

int TextBox::selStart() const {
    const QLineEdit* e = lineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

int TextBox::selLength() const {
    return int(lineEdit()->selectedText().size());
}

void TextBox::setSelStart(int pos) {
    lineEdit()->setCursorPosition(std::clamp(pos, 0, int(lineEdit()->text().size())));
}

void TextBox::setSelLength(int len) {
    const int start = selStart();
    const int room = int(lineEdit()->text().size()) - start;
    lineEdit()->setSelection(start, std::clamp(len, 0, room));
}

bool TextBox::locked() const {
    return lineEdit()->isReadOnly();
}

// QLineEdit turns the input method on again when it leaves read-only mode.
void TextBox::setLocked(bool on) {
    lineEdit()->setReadOnly(on);
    if (ime_ == ImeMode::Disable) lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
}

ImeMode TextBox::imeMode() const {
    return ime_;
}

void TextBox::setImeMode(ImeMode mode) {
    ime_ = mode;
    QLineEdit* e = lineEdit();
    e->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Disable && !e->isReadOnly());
    switch (mode) {
    case ImeMode::Disable:
        e->setInputMethodHints(Qt::ImhLatinOnly);
        break;
    case ImeMode::Off:
        e->setInputMethodHints(Qt::ImhPreferLatin);
        break;
    case ImeMode::NoControl:
        e->setInputMethodHints(Qt::ImhNone);
        break;
    }
    static_cast<ImeLineEdit*>(e)->recheck();
}

} // namespace forms
