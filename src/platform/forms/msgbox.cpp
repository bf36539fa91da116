#include "platform/forms/runtime.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace forms {

namespace {

MsgBoxHandler& handler() {
    static MsgBoxHandler h;
    return h;
}

enum Answer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct ButtonDef {
    Answer answer;
    QMessageBox::StandardButton standard;
    const char* text;
};

constexpr ButtonDef kOkButton{kOk, QMessageBox::Ok, "OK"};
constexpr ButtonDef kCancelButton{kCancel, QMessageBox::Cancel, "キャンセル"};
constexpr ButtonDef kAbortButton{kAbort, QMessageBox::Abort, "中止(&A)"};
constexpr ButtonDef kRetryButton{kRetry, QMessageBox::Retry, "再試行(&R)"};
constexpr ButtonDef kIgnoreButton{kIgnore, QMessageBox::Ignore, "無視(&I)"};
constexpr ButtonDef kYesButton{kYes, QMessageBox::Yes, "はい(&Y)"};
constexpr ButtonDef kNoButton{kNo, QMessageBox::No, "いいえ(&N)"};

std::vector<ButtonDef> buttonsOf(int style) {
    switch (style & 0xF) {
    case 1:
        return {kOkButton, kCancelButton};
    case 2:
        return {kAbortButton, kRetryButton, kIgnoreButton};
    case 3:
        return {kYesButton, kNoButton, kCancelButton};
    case 4:
        return {kYesButton, kNoButton};
    case 5:
        return {kRetryButton, kCancelButton};
    default:
        return {kOkButton};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Esc answers as Windows does: Cancel where there is one, else the only button. A box with
// Yes and No (no Cancel) ignores Esc and its close box.
int escapeIndex(const std::vector<ButtonDef>& defs) {
    for (size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].answer == kCancel) return int(i);
    }
    return defs.size() == 1 ? 0 : -1;
}

// QMessageBox would take a No button for the escape button.
class NoEscape : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close) {
            e->ignore();
            return true;
        }
        return e->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(e)->matches(QKeySequence::Cancel);
    }
};

int showBox(const QString& prompt, int style, const QString& title) {
    const auto defs = buttonsOf(style);
    QMessageBox box(iconOf(style), title, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (const auto& def : defs) {
        QPushButton* b = box.addButton(def.standard);
        b->setText(QString::fromUtf8(def.text));
        buttons.push_back(b);
    }
    const size_t def = std::min<size_t>((style >> 8) & 3, buttons.size() - 1);
    box.setDefaultButton(buttons[def]);
    const int esc = escapeIndex(defs);
    NoEscape noEscape;
    if (esc >= 0)
        box.setEscapeButton(buttons[size_t(esc)]);
    else
        box.installEventFilter(&noEscape);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) return defs[i].answer;
    }
    return esc >= 0 ? defs[size_t(esc)].answer : defs.front().answer;
}

} // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const QString shown = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
    if (handler()) return handler()(prompt, style, shown);
    return showBox(prompt, style, shown);
}

void setMsgBoxHandler(MsgBoxHandler h) {
    handler() = std::move(h);
}

} // namespace forms
