#include "platform/forms/controls.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include <QLineEdit>

namespace forms {

namespace {
// QLineEdit's own "no limit".
constexpr int kQtNoLimit = 32767;
} // namespace

TextBox::TextBox(Form* form, QString name, int index)
    : Control(ControlKind::TextBox, form, std::move(name), index, new QLineEdit(form)) {
    QObject::connect(lineEdit(), &QLineEdit::textChanged, lineEdit(), [this] {
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
void TextBox::setText(const QString& text) {
    if (text == lineEdit()->text()) {
        lineEdit()->setCursorPosition(0);
        return;
    }
    assigning_ = true;
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(0);
    assigning_ = false;
    detail::fire(onChange);
}

int TextBox::maxLength() const {
    const int m = lineEdit()->maxLength();
    return m >= kQtNoLimit ? 0 : m;
}

void TextBox::setMaxLength(int chars) {
    lineEdit()->setMaxLength(chars <= 0 || chars > kQtNoLimit ? kQtNoLimit : chars);
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
}

} // namespace forms
