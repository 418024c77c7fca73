// Three-dimensional controls. The controls here already have their three-dimensional look, so
// registering answers false (nothing to load) and subclassing a control does nothing; callers
// go on as they do where the library is missing.
#pragma once

class QWidget;

namespace kw {

class Ctl3dSupport {
public:
    static bool Register() { return false; }
    static void Unregister() {}
    static bool SubclassControl(QWidget*) { return false; }
};

} // namespace kw
