#include "platform/forms/form.h"
#include <algorithm>

namespace forms {

std::vector<Control*> Form::tabSequence() const {
    std::vector<Control*> seq;
    for (Control* c : order_) {
        if (c->tabIndex_ >= 0) seq.push_back(c);
    }
    std::stable_sort(seq.begin(), seq.end(), [](const Control* a, const Control* b) {
        return a->tabIndex_ < b->tabIndex_;
    });
    return seq;
}

// The control leaves its place and is inserted at the new one; the numbers close up behind
// it, so they stay 0..N-1. A number past the end makes it the last.
void Form::renumberTab(Control* c, int newIndex) {
    if (c->tabIndex_ < 0 || newIndex < 0) return;
    auto seq = tabSequence();
    seq.erase(std::find(seq.begin(), seq.end(), c));
    const auto at = std::min<size_t>(size_t(newIndex), seq.size());
    seq.insert(seq.begin() + std::ptrdiff_t(at), c);
    for (size_t i = 0; i < seq.size(); ++i)
        seq[i]->tabIndex_ = int(i);
    rebuildFocusChain();
}

// Labels and data controls take no focus and stay out of the chain.
void Form::rebuildFocusChain() {
    QWidget* previous = nullptr;
    for (Control* c : tabSequence()) {
        QWidget* w = c->widget();
        if (w->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace forms
