#include "platform/forms/form.h"
#include "platform/forms/color.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/runtime.h"
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWindow>

namespace forms {

Form::Form(QString name, QWidget* parent) : QWidget(parent, Qt::Window), name_(std::move(name)) {
    setObjectName(name_);
    installEventFilter(this); // keys reach a disabled active control through the form
}

Form::Form(QString name, const std::function<void(Form&)>& layout) : Form(std::move(name)) {
    layout(*this);
}

// The widgets go while the controls are whole, and the form hears nothing of it: a widget
// that goes may hand on the focus, and its view may still ask its control what to show.
Form::~Form() {
    if (modalLoop_) modalLoop_->quit();
    for (Control* c : order_)
        c->widget()->removeEventFilter(this);
    focused_ = held_ = nullptr;
    const std::vector<Control*> controls = order_;
    for (auto c = controls.rbegin(); c != controls.rend(); ++c)
        delete (*c)->widget();
}

// A control ends with its widget, just after it, whoever deletes the widget: nothing the
// widget does on its way out can reach a control that has gone.
void Form::adopt(std::unique_ptr<Control> c) {
    Control* raw = c.get();
    raw->tabIndex_ = raw->kind() == ControlKind::DataControl ? -1 : int(tabSequence().size());
    owned_.push_back(std::move(c));
    order_.push_back(raw);
    byWidget_.insert(raw->widget(), raw);
    raw->widget()->installEventFilter(this);
    connect(raw->widget(), &QObject::destroyed, this, [this, raw] { release(raw); });
    rebuildFocusChain();
}

void Form::release(Control* c) {
    if (focused_ == c) focused_ = nullptr;
    if (held_ == c) held_ = nullptr;
    byWidget_.remove(c->widget());
    std::erase(order_, c);
    std::erase_if(owned_, [c](const std::unique_ptr<Control>& p) { return p.get() == c; });
}

// Names compare without regard to case, as the original toolkit's did.
Control* Form::control(const QString& name, int index) const {
    for (Control* c : order_) {
        if (c->index() == index && c->name().compare(name, Qt::CaseInsensitive) == 0) return c;
    }
    return nullptr;
}

Control* Form::activeControl() const {
    if (held_ && focusWidget() == this) return held_;
    for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        if (Control* c = byWidget_.value(w)) return c;
    }
    return nullptr;
}

QString Form::caption() const {
    return windowTitle();
}

void Form::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

void Form::setBackColor(uint32_t oleColor) {
    backColor_ = oleColor;
    QPalette p = palette();
    p.setColor(QPalette::Window, colorFromOle(oleColor));
    setPalette(p);
    setAutoFillBackground(true);
}

// A shown window asks the platform for its frame: QWidget's copy of it is renewed only when
// the window moves, and a window manager that frames a window in place does not move it.
QRect Form::outerFrame() const {
    if (isVisible() && windowHandle())
        return geometry().marginsAdded(windowHandle()->frameMargins());
    return frameGeometry();
}

int Form::left() const {
    return pixelsToTwips(outerFrame().x());
}
int Form::top() const {
    return pixelsToTwips(outerFrame().y());
}
int Form::formWidth() const {
    return pixelsToTwips(outerFrame().width());
}
int Form::formHeight() const {
    return pixelsToTwips(outerFrame().height());
}

// The frame goes to left, top; the client area keeps what the frame's borders do not take.
void Form::moveTwips(int left, int top, int width, int height) {
    const QRect outer = outerFrame();
    const QSize borders = outer.size() - geometry().size();
    const QSize client(std::max(twipsToPixels(width) - borders.width(), 0),
                       std::max(twipsToPixels(height) - borders.height(), 0));
    // A fixed dialog frame takes the new size as its fixed size.
    if (minimumSize() == maximumSize()) setFixedSize(client);
    const QPoint frameAt(twipsToPixels(left), twipsToPixels(top));
    if (isVisible()) {
        // QWidget::move would offset by its own copy of the frame, which may be out of date.
        setGeometry(QRect(frameAt + (geometry().topLeft() - outer.topLeft()), client));
        return;
    }
    resize(client);
    move(frameAt); // a window not shown yet: the window manager places its frame there
}

void Form::setClientSize(int width, int height) {
    const QSize client(twipsToPixels(width), twipsToPixels(height));
    if (minimumSize() == maximumSize()) setFixedSize(client);
    resize(client);
}

void Form::beforeFirstPaint(std::function<void()> f) {
    if (!painted_) firstPaint_ = std::move(f);
}

void Form::paintEvent(QPaintEvent* e) {
    if (!painted_) {
        painted_ = true;
        if (auto f = std::exchange(firstPaint_, {})) {
            f();
            if (outerFrame() == geometry()) awaitFrame(std::move(f));
        }
    }
    QWidget::paintEvent(e);
}

// Painted before the window manager framed it: `f` runs again once the frame is there, looked
// for during a second at most (a display without a window manager never frames it).
void Form::awaitFrame(std::function<void()> f) {
    auto* poll = new QTimer(this);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, this,
                     [this, poll, f = std::move(f), tries = 0]() mutable {
                         const bool framed = outerFrame() != geometry();
                         if (!framed && isVisible() && ++tries < 50) return;
                         poll->deleteLater();
                         poll->stop();
                         if (framed && isVisible()) f();
                     });
    poll->start();
}

void Form::setWindowFont(const QString& name, double points) {
    QFont f(name);
    if (points > 0) f.setPointSizeF(points);
    setFont(f);
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    detail::fire(onLoad);
}

void Form::showForm() {
    load();
    if (!loaded_) return;
    show();
    raise();
    activateWindow();
    settleFocus();
}

// A (re)loaded form starts at its first control in tab order, which gets GotFocus now even
// if the window manager activates the window later.
void Form::settleFocus() {
    // A window hidden and shown again can keep the platform's focus while Qt Widgets has
    // forgotten it was active (the offscreen platform does this); no activation would follow.
    if (windowHandle() && QGuiApplication::focusWindow() == windowHandle() &&
        QApplication::activeWindow() != this)
        QApplication::setActiveWindow(this);
    if (!focusWidget()) {
        for (Control* c : tabSequence()) {
            QWidget* w = c->widget();
            if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    if (Control* c = activeControl()) focusArrived(c);
}

// The loop runs until unload; nested modal forms each have their own.
void Form::showModal() {
    load();
    if (!loaded_) return;
    QPointer<QWidget> caller = QApplication::activeWindow();
    setWindowModality(Qt::ApplicationModal);
    // Owned by the window that opened it, as a message box is: a window manager keeps the two
    // together (without an owner, Qt names its hidden client-leader window instead).
    if (caller && caller != this && caller->windowHandle()) {
        create();
        windowHandle()->setTransientParent(caller->windowHandle());
    }
    show();
    raise();
    activateWindow();
    settleFocus();
    if (!loaded_) return;
    QPointer<Form> alive(this);
    QEventLoop loop;
    QEventLoop* outer = modalLoop_;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (alive) modalLoop_ = outer;
    // The window that opened the dialog gets the keyboard back, as a window manager would
    // give it (and the offscreen platform does not).
    if (caller && caller->isVisible()) {
        QApplication::setActiveWindow(caller);
        caller->activateWindow();
    }
}

bool Form::unload(int unloadMode) {
    if (!loaded_) return true;
    if (unloading_) return false;
    const QScopedValueRollback unloading(unloading_, true);
    int cancel = 0;
    detail::fire(onQueryUnload, cancel, unloadMode);
    if (cancel != 0) return false;
    detail::fire(onUnload);
    loaded_ = false;
    focused_ = nullptr;
    held_ = nullptr;
    if (QWidget* w = focusWidget()) w->clearFocus();
    hide();
    painted_ = false; // shown again, it is placed again once its frame is known
    setWindowModality(Qt::NonModal);
    if (modalLoop_) modalLoop_->quit();
    return true;
}

bool Form::isShown() const {
    return isVisible();
}

// The close box unloads through QueryUnload, which may keep the form.
void Form::closeEvent(QCloseEvent* e) {
    if (!loaded_ || unload(0))
        e->accept();
    else
        e->ignore();
}

} // namespace forms
