#include "framework/gui/PopupMenu.h"

#include "framework/gui/ControlHost.h"
#include "framework/gui/Headless.h"

#include "framework/gui/MenuDescr.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <utility>

namespace fw {

namespace {

void Fill(QMenu& menu, const PopupMenu& source)
{
    for (const auto& item : source.Items()) {
        if (item.separator) {
            menu.addSeparator();
        } else if (item.submenu) {
            QMenu* sub = menu.addMenu(MenuItemLabel(item.text));
            Fill(*sub, *item.submenu);
        } else {
            QAction* a = menu.addAction(MenuItemLabel(item.text));
            a->setData(item.id);
            a->setEnabled(item.enabled);
            if (item.checked) {
                a->setCheckable(true);
                a->setChecked(true);
            }
        }
    }
}
} // namespace

void PopupMenu::FillQtMenu(QMenu& menu) const
{
    Fill(menu, *this);
}

void PopupMenu::AppendItem(int id, const std::string& text, unsigned flags)
{
    if (flags & MF_SEPARATOR) {
        AppendSeparator();
        return;
    }
    Item item;
    item.id = id;
    item.text = text;
    item.enabled = !(flags & (MF_GRAYED | MF_DISABLED));
    item.checked = (flags & MF_CHECKED) != 0;
    items_.push_back(std::move(item));
}

void PopupMenu::AppendSeparator()
{
    Item item;
    item.separator = true;
    items_.push_back(std::move(item));
}

PopupMenu& PopupMenu::AppendPopup(const std::string& text)
{
    Item item;
    item.text = text;
    item.submenu = std::make_shared<PopupMenu>();
    items_.push_back(item);
    return *items_.back().submenu;
}

void PopupMenu::EnableItem(int id, bool enable)
{
    for (auto& item : items_) {
        if (item.submenu) item.submenu->EnableItem(id, enable);
        else if (!item.separator && item.id == id) item.enabled = enable;
    }
}

void PopupMenu::CheckItem(int id, bool check)
{
    for (auto& item : items_) {
        if (item.submenu) item.submenu->CheckItem(id, check);
        else if (!item.separator && item.id == id) item.checked = check;
    }
}

const PopupMenu::Item* PopupMenu::FindItem(int id) const
{
    for (const auto& item : items_) {
        if (item.submenu) {
            if (const Item* found = item.submenu->FindItem(id)) return found;
        } else if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

std::string PopupMenu::Describe() const
{
    std::string out;
    for (const auto& item : items_) {
        if (!out.empty()) out += "|";
        if (item.separator) out += "-";
        else if (item.submenu) out += ">" + item.text;
        else out += item.text;
    }
    return out;
}

void PopupMenu::ApplyEnablers(const ControlHost& owner)
{
    for (auto& item : items_) {
        if (item.submenu) {
            item.submenu->ApplyEnablers(owner);
        } else if (!item.separator && owner.HasEnabler(item.id)) {
            CommandEnabler ce = owner.QueryCommand(item.id);
            item.enabled = ce.enabled;
            item.checked = ce.check == BF_CHECKED;
        }
    }
}

int PopupMenu::Track(ControlHost& owner, const Point& clientPoint)
{
    if (!keepStates_) ApplyEnablers(owner);
    int chosen = 0;
    if (PopupMenuSeam::Current()) {
        // A copy: the responder may be replaced while it answers.
        PopupMenuSeam::Function responder = PopupMenuSeam::Current();
        chosen = responder(*this);
    } else if (IsHeadless()) {
        ReportHeadlessModal("pop-up menu");
    } else {
        QMenu menu(owner.Self());
        Fill(menu, *this);
        QAction* a = menu.exec(owner.Self()->mapToGlobal(clientPoint.ToQt()));
        if (a) chosen = a->data().toInt();
    }
    const Item* item = chosen ? FindItem(chosen) : nullptr;
    if (!item || !item->enabled) return 0;
    owner.SendCommand(chosen);
    return chosen;
}

ScriptedMenus::ScriptedMenus(std::vector<int> choices)
    : choices_(std::move(choices)),
      responder_([this](const PopupMenu& menu) {
          shown_.push_back(menu);
          return next_ < choices_.size() ? choices_[next_++] : 0;
      })
{
}

}  // namespace fw
