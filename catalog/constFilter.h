// The constellation filter: the constellations stand in two lists, available and selected;
// a double click moves a name across, two buttons move them all. OK takes exactly what the
// selected list shows, and refuses an empty one, which no object could pass.
#pragma once

#include "catalog/ConstellationSet.h"
#include "framework/gui/Dialog.h"

#include <string>

namespace fw { class ListBox; }

class constFilter : public fw::Dialog {
public:
    static constexpr int kTemplate = 23;
    static constexpr int kHelpContext = 1;
    enum : int { kRemoveAll = 104, kAvailable = 105, kSelected = 106, kAddAll = 107 };

    explicit constFilter(QWidget* parent);

    ConstellationSet constellations;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    // Moves the selected name of one list to the other and adds its codes to the set or
    // takes them out.
    void Transfer(fw::ListBox* from, fw::ListBox* to, bool add);
    void AddAll();
    void RemoveAll();
    static void FillWithAll(fw::ListBox* list);

    fw::ListBox* available_;
    fw::ListBox* selected_;
};
