// The owner-window stack: the top window owns every dialog and message box the installer
// opens. At most 20 windows are stacked; a further push is ignored.
#pragma once

class QWidget;

namespace kw {

class WindowStack {
public:
    enum { kCapacity = 20 };
    static WindowStack& Instance();
    void Push(QWidget* window);
    void Pop(); // callers pair every Pop with a Push
    QWidget* Top() const;
    int Depth() const { return count_; }

private:
    QWidget* windows_[kCapacity] = {};
    int count_ = 0;
};

}  // namespace kw
