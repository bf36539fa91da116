#include "platform/forms/control.h"
#include "platform/forms/color.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include <QApplication>
#include <QWidget>

namespace forms {

namespace {

QRect toPixels(const QRect& twips) {
    return QRect(twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
                 twipsToPixels(twips.height()));
}

bool usesWindowColors(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::FlexGrid || kind == ControlKind::DataGrid;
}

} // namespace

Control::Control(ControlKind kind, Form* form, QString name, int index, QWidget* widget)
    : kind_(kind), form_(form), name_(std::move(name)), index_(index), widget_(widget) {
    const bool window = usesWindowColors(kind);
    backColor_ = window ? kSysWindow : kSysButtonFace;
    foreColor_ = window ? kSysWindowText : kSysButtonText;
    widget_->setObjectName(index_ < 0 ? name_ : QStringLiteral("%1(%2)").arg(name_).arg(index_));
}

Control::~Control() = default;

int Control::left() const {
    return widget_->geometry() == toPixels(twips_) ? twips_.x() : pixelsToTwips(widget_->x());
}

int Control::top() const {
    return widget_->geometry() == toPixels(twips_) ? twips_.y() : pixelsToTwips(widget_->y());
}

int Control::width() const {
    return widget_->geometry() == toPixels(twips_) ? twips_.width()
                                                   : pixelsToTwips(widget_->width());
}

int Control::height() const {
    return widget_->geometry() == toPixels(twips_) ? twips_.height()
                                                   : pixelsToTwips(widget_->height());
}

void Control::move(int left, int top, int width, int height) {
    twips_ = QRect(left, top, std::max(0, width), std::max(0, height));
    widget_->setGeometry(toPixels(twips_));
}

int Control::tabIndex() const {
    return tabIndex_;
}

void Control::setTabIndex(int index) {
    form_->renumberTab(this, index);
}

bool Control::enabled() const {
    return widget_->isEnabledTo(form_);
}

void Control::setEnabled(bool on) {
    if (!on && widget_->isEnabled() && form_->activeControl() == this) form_->holdFocus(this);
    widget_->setEnabled(on);
}

bool Control::visible() const {
    return visible_;
}

void Control::setVisible(bool on) {
    visible_ = on;
    if (kind_ != ControlKind::DataControl) widget_->setVisible(on);
}

uint32_t Control::backColor() const {
    return backColor_;
}

void Control::setBackColor(uint32_t oleColor) {
    backColor_ = oleColor;
    applyColors();
}

uint32_t Control::foreColor() const {
    return foreColor_;
}

void Control::setForeColor(uint32_t oleColor) {
    foreColor_ = oleColor;
    applyColors();
}

// Both colours go into the widget's palette together, on the roles its kind paints with. The
// fore colour is the enabled look: a disabled control draws its text in the system's grey text.
void Control::applyColors() {
    QPalette p = widget_->palette();
    const QColor back = colorFromOle(backColor_);
    const QColor fore = colorFromOle(foreColor_);
    const QColor grey = colorFromOle(kSysGrayText);
    const auto setFore = [&](QPalette::ColorRole role) {
        p.setColor(QPalette::Active, role, fore);
        p.setColor(QPalette::Inactive, role, fore);
        p.setColor(QPalette::Disabled, role, grey);
    };
    switch (kind_) {
    case ControlKind::Label:
    case ControlKind::DataControl:
        p.setColor(QPalette::Window, back);
        setFore(QPalette::WindowText);
        widget_->setAutoFillBackground(true);
        break;
    case ControlKind::CommandButton:
        p.setColor(QPalette::Button, back);
        setFore(QPalette::ButtonText);
        break;
    case ControlKind::ComboBox:
        p.setColor(QPalette::Button, back);
        p.setColor(QPalette::Base, back);
        setFore(QPalette::ButtonText);
        setFore(QPalette::Text);
        break;
    default:
        p.setColor(QPalette::Base, back);
        setFore(QPalette::Text);
        break;
    }
    widget_->setPalette(p);
}

QString Control::fontName() const {
    return widget_->font().family();
}
double Control::fontSize() const {
    return widget_->font().pointSizeF();
}
bool Control::fontBold() const {
    return widget_->font().bold();
}
bool Control::fontItalic() const {
    return widget_->font().italic();
}
bool Control::fontStrikethru() const {
    return widget_->font().strikeOut();
}
bool Control::fontUnderline() const {
    return widget_->font().underline();
}

bool Control::setFontName(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    QFont f = widget_->font();
    f.setFamily(name);
    widget_->setFont(f);
    return true;
}

bool Control::setFontSize(double points) {
    if (!(points > 0 && points <= 2160)) return false;
    QFont f = widget_->font();
    f.setPointSizeF(points);
    widget_->setFont(f);
    return true;
}

void Control::setFontBold(bool on) {
    QFont f = widget_->font();
    f.setBold(on);
    widget_->setFont(f);
}

void Control::setFontItalic(bool on) {
    QFont f = widget_->font();
    f.setItalic(on);
    widget_->setFont(f);
}

void Control::setFontStrikethru(bool on) {
    QFont f = widget_->font();
    f.setStrikeOut(on);
    widget_->setFont(f);
}

void Control::setFontUnderline(bool on) {
    QFont f = widget_->font();
    f.setUnderline(on);
    widget_->setFont(f);
}

QString Control::accessibleName() const {
    return widget_->accessibleName();
}

void Control::setAccessibleName(const QString& name) {
    widget_->setAccessibleName(name);
}

void Control::setFocus() {
    if (!visible_ || !widget_->isEnabled() || widget_->focusPolicy() == Qt::NoFocus) return;
    widget_->setFocus(Qt::OtherFocusReason);
    form_->noteFocus(this);
}

bool Control::hasFocus() const {
    return form_->activeControl() == this;
}

} // namespace forms
