// The form's one event filter over its controls: the original key sequence (form KeyDown,
// control KeyDown, KeyPress, KeyUp), GotFocus/LostFocus, button mnemonics and clicks.
#include "platform/forms/controls.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/keys.h"
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcutEvent>

namespace forms {

namespace {

// The event the filter itself is delivering; it goes to the control untouched.
const QEvent* g_replacement = nullptr;

void deliver(QWidget* w, QEvent* e) {
    const QScopedValueRollback<const QEvent*> delivering(g_replacement, e);
    QCoreApplication::sendEvent(w, e);
}

// Tab moves the focus and raises no key events, as in the original forms.
bool isTab(const QKeyEvent& e) {
    return (e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) &&
           !(e.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isCharacter(int ascii) {
    return ascii >= 0x20 && ascii <= 0x10FFFF && ascii != 0x7f;
}

// Types the character a KeyPress handler put in place of the one pressed, as a key press
// of its own so that the control applies its rules (MaxLength, read-only) to it.
void sendCharacter(QWidget* w, const QKeyEvent& pressed, int ascii) {
    auto mods = pressed.modifiers() &
                ~(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier);
    int key = Qt::Key_unknown;
    QString text;
    switch (ascii) {
    case 8:
        key = Qt::Key_Backspace;
        break;
    case 9:
        key = Qt::Key_Tab;
        break;
    case 13:
        key = Qt::Key_Return;
        break;
    case 27:
        key = Qt::Key_Escape;
        break;
    default:
        if (ascii >= 1 && ascii <= 26) {
            key = Qt::Key_A + ascii - 1;
            mods |= Qt::ControlModifier;
        } else if (!isCharacter(ascii)) {
            return;
        } else if (ascii >= 'a' && ascii <= 'z') {
            key = Qt::Key_A + (ascii - 'a');
        } else if (ascii < 0x7f) {
            key = ascii;
        }
    }
    const char32_t cp = char32_t(ascii);
    text = QString::fromUcs4(&cp, 1);
    QKeyEvent replacement(QEvent::KeyPress, key, mods, text, pressed.isAutoRepeat());
    deliver(w, &replacement);
}

} // namespace

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (event == g_replacement) return false;
    Control* c = byWidget_.value(watched);
    if (!c && watched == this && held_) c = held_;
    if (!c) return QWidget::eventFilter(watched, event);
    // A key whose handlers disabled its control goes no further: Qt would pass it on to the
    // form, which holds the focus for that control, and it would be handled a second time.
    const QPointer<QWidget> target = watched == this ? nullptr : static_cast<QWidget*>(watched);
    const auto once = [&](bool taken) { return taken || (target && !target->isEnabled()); };
    switch (event->type()) {
    case QEvent::KeyPress:
        return once(keyPressed(c, static_cast<QKeyEvent*>(event)));
    case QEvent::KeyRelease:
        return once(keyReleased(c, static_cast<QKeyEvent*>(event)));
    case QEvent::InputMethod:
        return inputMethod(c, static_cast<QInputMethodEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return focusChanged(c, watched, static_cast<QFocusEvent*>(event));
    case QEvent::Shortcut:
        return shortcut(c, static_cast<QShortcutEvent*>(event));
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // Buttons, lists and grids raise their clicks themselves.
        if (c->kind() != ControlKind::TextBox && c->kind() != ControlKind::Label) return false;
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton) return false;
        if (event->type() == QEvent::MouseButtonDblClick)
            detail::fire(c->onDblClick);
        else if (c->widget()->rect().contains(me->position().toPoint()))
            detail::fire(c->onClick);
        return false;
    }
    default:
        return false;
    }
}

// KeyCode set to 0 by a KeyDown handler skips the later KeyDown handlers and the control's
// own handling of the key; a key that types a character still raises KeyPress, and the
// character is still typed unless KeyPress cancels it (the original toolkit behaved so).
bool Form::keyPressed(Control* c, QKeyEvent* e) {
    if (isTab(*e)) return false;
    const QPointer<QWidget> w = c->widget();
    const int shift = shiftState(e->modifiers());
    int code = keyCode(*e);
    bool taken = false;
    if (code != 0) {
        if (keyPreview_) detail::fire(onKeyDown, code, shift);
        if (code != 0) detail::fire(c->onKeyDown, code, shift);
        taken = code == 0;
        // Enter presses a focused button, as Space does.
        if (code == 13 && c->kind() == ControlKind::CommandButton && w && w->isEnabled()) {
            static_cast<CommandButton*>(c)->button()->click();
            return true;
        }
    }
    const int typed = keyAscii(*e);
    if (typed == 0) return taken;
    int ascii = typed;
    detail::fire(c->onKeyPress, ascii);
    if (ascii == typed) return false;
    if (ascii != 0 && w) sendCharacter(w, *e, ascii);
    return true;
}

bool Form::keyReleased(Control* c, QKeyEvent* e) {
    if (e->isAutoRepeat() || isTab(*e)) return false;
    int code = keyCode(*e);
    if (code != 0) detail::fire(c->onKeyUp, code, shiftState(e->modifiers()));
    return false;
}

// Committed input-method text raises one KeyPress per character, with the character's
// Unicode value as KeyAscii (above 127 for anything but ASCII). What the handlers change or
// cancel is committed in its place.
bool Form::inputMethod(Control* c, QInputMethodEvent* e) {
    const QString commit = e->commitString();
    if (commit.isEmpty()) return false;
    const QPointer<QWidget> w = c->widget();
    QString kept;
    bool changed = false;
    for (const char32_t cp : commit.toUcs4()) {
        int ascii = int(cp);
        detail::fire(c->onKeyPress, ascii);
        changed = changed || ascii != int(cp);
        if (isCharacter(ascii)) {
            const char32_t out = char32_t(ascii);
            kept += QString::fromUcs4(&out, 1);
        }
    }
    if (!changed) return false;
    if (w) {
        QInputMethodEvent replacement(e->preeditString(), e->attributes());
        replacement.setCommitString(kept, e->replacementStart(), e->replacementLength());
        deliver(w, &replacement);
    }
    return true;
}

// Activation of the window and popups move Qt's focus but not the form's: the control that
// had the focus keeps it, and nothing is raised when Qt gives it back.
bool Form::focusChanged(Control* c, QObject* watched, QFocusEvent* e) {
    const Qt::FocusReason reason = e->reason();
    if (e->type() == QEvent::FocusOut) {
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (holding_) return false;
        if (watched == this) held_ = nullptr;
        if (focused_ == c) {
            focused_ = nullptr;
            detail::fire(c->onLostFocus);
        }
        return false;
    }
    // The control does its own focus work first (a line edit selects its text on Tab), so
    // that a GotFocus handler has the last word on the selection.
    watched->event(e);
    focusArrived(c);
    return true;
}

void Form::focusArrived(Control* c) {
    if (c != held_) held_ = nullptr;
    if (c == focused_) return;
    Control* previous = focused_;
    focused_ = c;
    if (previous) detail::fire(previous->onLostFocus);
    detail::fire(c->onGotFocus);
}

void Form::noteFocus(Control* c) {
    QWidget* w = c->widget();
    if (!isVisible() || !w->isVisible() || focusWidget() != w) return;
    if (QApplication::focusWidget() == w) return; // Qt has raised it already
    focusArrived(c);
}

void Form::holdFocus(Control* c) {
    held_ = c;
    const QScopedValueRollback holding(holding_, true);
    setFocus(Qt::OtherFocusReason);
}

// A button's mnemonic moves the focus to the button and clicks it at once.
bool Form::shortcut(Control* c, QShortcutEvent* e) {
    if (c->kind() != ControlKind::CommandButton || e->isAmbiguous()) return false;
    QPushButton* b = static_cast<CommandButton*>(c)->button();
    if (!b->isEnabled()) return false;
    b->setFocus(Qt::ShortcutFocusReason);
    noteFocus(c);
    b->click();
    return true;
}

} // namespace forms
