#pragma once
// A top-level form with key preview, its controls in creation order, and the original events.
#include "platform/forms/control.h"
#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QEventLoop;
class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QShortcutEvent;

namespace forms {

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QString name, QWidget* parent = nullptr);
    // Lays the form out at once: a screen's members look their controls up (need) before the
    // screen's constructor body runs.
    Form(QString name, const std::function<void(Form&)>& layout);
    // Ends every control with its widget, so a shown form may be deleted (see adopt).
    ~Form() override;

    const QString& name() const { return name_; }

    // Creates a control owned by the form, appended to the control collection and to the end
    // of the tab order; geometry in twips.
    template <class T>
    T* add(const QString& name, int left, int top, int width, int height, int index = -1) {
        auto* c = new T(this, name, index);
        adopt(std::unique_ptr<Control>(c));
        c->move(left, top, width, height);
        return c;
    }
    const std::vector<Control*>& controls() const { return order_; }
    // nullptr when no such control.
    Control* control(const QString& name, int index = -1) const;
    template <class T> T* get(const QString& name, int index = -1) const {
        return dynamic_cast<T*>(control(name, index));
    }
    // A control the form cannot do without: a layout without it is a fault of the program.
    template <class T> T* need(const QString& name) const {
        if (T* c = get<T>(name)) return c;
        throw std::logic_error("no control " + name.toStdString() + " on " + name_.toStdString());
    }
    Control* activeControl() const;

    QString caption() const;
    void setCaption(const QString& caption);
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t oleColor);
    // The outer frame (title bar and borders) in twips, position relative to the screen. The
    // frame may be known only once the window is mapped; until then it is the client area.
    int left() const;
    int top() const;
    int formWidth() const;
    int formHeight() const;
    void moveTwips(int left, int top, int width, int height);
    // The client area's size in twips (the design size of a window).
    void setClientSize(int width, int height);
    // Runs `f` once, just before the window is painted for the first time since it was last
    // loaded; nothing when it has been painted already. When the window manager's frame comes
    // only after that paint, `f` runs once more when it comes.
    void beforeFirstPaint(std::function<void()> f);
    // Window font (points); controls without their own font use it.
    void setWindowFont(const QString& name, double points);

    // Load runs onLoad once; show and showModal load first. Unload runs onQueryUnload (a
    // non-zero Cancel stops it), then onUnload, hides the form and leaves a modal loop;
    // the next access loads it again.
    void load();
    bool isLoaded() const { return loaded_; }
    void showForm();
    void showModal();
    // unloadMode: 0 window close box, 1 code. Returns false when cancelled.
    bool unload(int unloadMode = 1);
    bool isShown() const; // the form is visible on the screen

    std::function<void()> onLoad;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& cancel, int unloadMode)> onQueryUnload;
    std::function<void()> onUnload;

    // Used by the controls.
    void renumberTab(Control* c, int newIndex);
    // Focus was set from code: raises LostFocus/GotFocus now if Qt will not (inactive window).
    void noteFocus(Control* c);
    // A control disabled while it has the focus stays the active control, without focus
    // events, until the focus moves on: Qt would hand the focus to the next widget at once.
    void holdFocus(Control* c);

protected:
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adopt(std::unique_ptr<Control> c);
    void release(Control* c);
    std::vector<Control*> tabSequence() const;
    void rebuildFocusChain();
    bool keyPressed(Control* c, QKeyEvent* e);
    bool keyReleased(Control* c, QKeyEvent* e);
    bool inputMethod(Control* c, QInputMethodEvent* e);
    bool focusChanged(Control* c, QObject* watched, QFocusEvent* e);
    bool shortcut(Control* c, QShortcutEvent* e);
    void focusArrived(Control* c);
    void settleFocus();
    QRect outerFrame() const;
    void awaitFrame(std::function<void()> f);
    QString name_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    bool keyPreview_ = false;
    bool loaded_ = false;
    uint32_t backColor_ = 0x8000000F;
    QEventLoop* modalLoop_ = nullptr;
    QHash<const QObject*, Control*> byWidget_;
    Control* focused_ = nullptr; // the control that last got GotFocus, until its LostFocus
    Control* held_ = nullptr;    // disabled while active; the form's own widget has the focus
    bool holding_ = false;       // the focus is being moved to the form's widget for held_
    bool unloading_ = false;
    bool painted_ = false;
    std::function<void()> firstPaint_;
};

} // namespace forms
