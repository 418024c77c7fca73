// A window owned by an object: the object makes it, sees its events and must destroy it
// (del()) before it goes itself.
#pragma once

#include "installer/support/DialogBox.h"

#include <string>

class QEvent;

namespace kw {

struct WindowParams {
    enum { kDefault = -1 }; // the platform chooses position or size
    int x = kDefault, y = kDefault, width = kDefault, height = kDefault;
    std::string className;
    unsigned style = 0;
    QWidget* parent = nullptr;
};

class userwnd : public WindowObject {
public:
    ~userwnd() override; // a window still alive is reported (system-modal error box)
    bool Create(const WindowParams& params);
    QWidget* GetHwnd() const { return window_; }
    QWidget* Window() const override { return window_; }
    void del();

protected:
    // An event of the window; true when handled here.
    virtual bool Event(QEvent*) { return false; }

private:
    friend class UserWindowWidget;
    QWidget* window_ = nullptr;
};

// A heap array of ints and its count.
struct IntArray {
    int* items = nullptr;
    int count = 0;
    IntArray() = default;
    ~IntArray() { delete[] items; }
    IntArray(const IntArray&) = delete;
    IntArray& operator=(const IntArray&) = delete;
    bool Resize(int n);
};

} // namespace kw
