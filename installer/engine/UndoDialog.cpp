#include "installer/engine/UndoDialog.h"

#include "installer/engine/OpLogRecord.h"
#include "installer/engine/UninstallController.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowStack.h"

#include <QAbstractButton>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <sstream>
#include <vector>

namespace kw {

namespace {
// The list's and the details' face: a fixed-pitch face, so that columns and colons align.
QFont ListFont()
{
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// "DLGUNDOASKQUIT": 1 quits as cancelled, 101 as finished, 2 (or closing it) stays.
class AskQuitDialog : public Dialog {
public:
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override
    {
        if (message == kMsgSysCommand && (wparam & 0xFFF0) == kScClose) {
            EndDialog(UndoDialog::kQuitStay);
            return 1;
        }
        if (message == kMsgCommand) {
            int id = static_cast<int>(wparam);
            if (id == UndoDialog::kQuitCancelled || id == UndoDialog::kQuitStay || id == UndoDialog::kQuitFinished)
                EndDialog(id);
            return 1;
        }
        return Dialog::DialogProc(message, wparam, lparam);
    }
};
} // namespace

UndoDialog::UndoDialog(UninstallController& controller, int mode) : controller_(controller), mode_(mode) {}

const char* UndoDialog::TemplateName(int mode)
{
    switch (mode) {
    case kAdvanced: return "DLGUNDOMAINADV";
    case kUnattended: return "DLGUNDOMAINSLT";
    default: return "DLGUNDOMAINSIM";
    }
}

std::string UndoDialog::ChoiceText(int choice)
{
    switch (choice) {
    case kChoiceUndo: return "Undo";
    case kChoiceKeep: return "Keep";
    case kChoiceNever: return "Cannot undo";
    case kChoiceUndone: return "Undone";
    case kChoiceFailed: return "Failed";
    case kChoiceKept: return "Kept";
    default: return "";
    }
}

std::string UndoDialog::AlignedDetails(const std::string& detail)
{
    // Each line "name: value"; the names are right-aligned so that the colons stand in one
    // column. A line without a colon is shown as it is.
    std::vector<std::string> lines;
    std::istringstream in(detail);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    size_t width = 0;
    for (const std::string& l : lines) {
        size_t colon = l.find(':');
        if (colon != std::string::npos) width = std::max(width, colon);
    }
    std::string out;
    for (const std::string& l : lines) {
        size_t colon = l.find(':');
        if (!out.empty()) out += '\n';
        out += colon == std::string::npos ? l : std::string(width - colon, ' ') + l;
    }
    return out;
}

int UndoDialog::Show()
{
    if (mode_ == kUnattended) {
        // Shown without input: the undo runs at once and the window goes when it ends.
        if (!CreateModelessDialog(*this, WindowStack::Instance().Top(), TemplateName(mode_)))
            return UninstallController::kCancelled;
        Window()->show();
        controller_.Undo(*this, false);
        DestroyWindow();
        return controller_.HasPendingUndo() ? UninstallController::kCancelled : UninstallController::kFinished;
    }
    int result = RunDialog(*this, TemplateName(mode_));
    if (result == kSwitch) return kSwitch;
    return result == UninstallController::kFinished ? UninstallController::kFinished
                                                    : UninstallController::kCancelled;
}

intptr_t UndoDialog::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    const bool running = controller_.RunState() == UninstallController::kRunning;
    switch (message) {
    case kMsgInitDialog:
        Init();
        return 1;
    case kMsgDestroy:
        gauge_.Detach();
        list_ = nullptr;
        return 1;
    case kMsgSysCommand:
        if ((wparam & 0xFFF0) != kScClose) return 0;
        Close();
        return 1;
    case kMsgCommand:
        switch (static_cast<int>(wparam)) {
        case kStart:
            if (running) controller_.RequestCancel();
            else if (mode_ != kUnattended) controller_.Undo(*this, true);
            return 1;
        case kClose:
            Close();
            return 1;
        case kSwitch:
            if (!running && mode_ != kUnattended) EndDialog(kSwitch);
            return 1;
        case kUndoChoice:
        case kKeepChoice:
            if (mode_ == kAdvanced && !running)
                SetChoiceOfSelected(wparam == kUndoChoice ? kChoiceUndo : kChoiceKeep);
            return 1;
        default:
            return 1;
        }
    default:
        return 0;
    }
}

void UndoDialog::Init()
{
    Window()->setWindowTitle(QString::fromStdString(ResText(200) + " " + controller_.ProductName()));
    startText_ = ItemText(kStart);
    if (mode_ == kAdvanced) {
        // The list of changes: two columns, the change and its state, the selected row inverted.
        if (QWidget* placeholder = Item(kList)) {
            auto* tree = new QTreeWidget(Window());
            tree->setGeometry(placeholder->geometry());
            tree->setColumnCount(2);
            tree->setHeaderHidden(true);
            tree->setRootIsDecorated(false);
            tree->setUniformRowHeights(true);
            tree->setAllColumnsShowFocus(true);
            tree->setSelectionMode(QAbstractItemView::SingleSelection);
            tree->setFont(ListFont());
            tree->header()->setStretchLastSection(false);
            tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
            // The state column holds the longest state text with a margin on either side.
            const QFontMetrics metrics(tree->font());
            int stateWidth = 0;
            for (int choice = kChoiceUndo; choice <= kChoiceKept; ++choice)
                stateWidth = std::max(stateWidth, metrics.horizontalAdvance(QString::fromStdString(ChoiceText(choice))));
            tree->header()->setSectionResizeMode(1, QHeaderView::Fixed);
            tree->header()->resizeSection(1, stateWidth + 2 * metrics.averageCharWidth());
            tree->setProperty("kwControlId", static_cast<int>(kList));
            delete placeholder;
            AddItem(kList, tree);
            list_ = tree;
            QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [this] { ShowSelected(); });
            FillList();
        }
        if (auto* details = qobject_cast<QPlainTextEdit*>(Item(kDetails))) {
            details->setFont(ListFont());
            details->setLineWrapMode(QPlainTextEdit::NoWrap);
            details->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            details->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
        ShowSelected();
    } else if (QWidget* bar = Item(kGauge)) {
        gauge_.Attach(bar);
        ShowGauge();
    }
    SetRunning(false);
    if (QWidget* start = Item(kStart)) start->setFocus();
}

void UndoDialog::FillList()
{
    if (!list_) return;
    list_->clear();
    for (const OpLogRecordPtr& r : controller_.Records()) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, QString::fromStdString(r->Summary()));
        row->setText(1, QString::fromStdString(ChoiceText(r->Choice())));
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
}

int UndoDialog::SelectedRecord() const
{
    if (!list_ || !list_->currentItem()) return -1;
    int i = list_->indexOfTopLevelItem(list_->currentItem());
    return i >= 0 && i < static_cast<int>(controller_.Records().size()) ? i : -1;
}

void UndoDialog::ShowSelected()
{
    if (mode_ != kAdvanced) return;
    int i = SelectedRecord();
    const OpLogRecord* r = i >= 0 ? controller_.Records()[static_cast<size_t>(i)].get() : nullptr;
    const bool running = controller_.RunState() == UninstallController::kRunning;
    for (int id : {kUndoChoice, kKeepChoice}) {
        auto* button = qobject_cast<QAbstractButton*>(Item(id));
        if (!button) continue;
        int choice = id == kUndoChoice ? kChoiceUndo : kChoiceKeep;
        bool checked = r && r->Choice() == choice;
        // Neither is checked for a record that has no choice left.
        button->setAutoExclusive(false);
        button->setChecked(checked);
        button->setAutoExclusive(true);
        button->setEnabled(!running && r && (checked || r->CanSwitchTo(choice)));
    }
    SetItemText(kDetails, r ? AlignedDetails(r->Detail()) : std::string());
}

void UndoDialog::SetChoiceOfSelected(int choice)
{
    int i = SelectedRecord();
    if (i < 0) return;
    OpLogRecord& r = *controller_.Records()[static_cast<size_t>(i)];
    if (r.CanSwitchTo(choice)) r.SetChoice(choice);
    if (QTreeWidgetItem* row = list_->topLevelItem(i)) row->setText(1, QString::fromStdString(ChoiceText(r.Choice())));
    ShowSelected();
}

void UndoDialog::ShowGauge()
{
    const int count = static_cast<int>(controller_.Records().size());
    gauge_.SetPercent(count > 0 ? 100 - controller_.DoneCount() * 100 / count : 100);
}

void UndoDialog::SetRunning(bool running)
{
    SetItemText(kStart, running ? ResText(77) : startText_);
    for (int id : {int(kClose), int(kSwitch)})
        if (QWidget* w = Item(id)) w->setEnabled(!running);
    ShowSelected();
}

void UndoDialog::UndoStarted()
{
    SetItemText(kLabel, ResText(151));
    SetRunning(true);
}

void UndoDialog::Announce(int record)
{
    const OpLogRecord& r = *controller_.Records()[static_cast<size_t>(record)];
    if (mode_ == kAdvanced) {
        if (list_)
            if (QTreeWidgetItem* row = list_->topLevelItem(record)) {
                list_->setCurrentItem(row);
                list_->scrollToItem(row);
            }
    } else {
        SetItemText(kRecordText, r.Summary());
    }
}

void UndoDialog::Progress(int record)
{
    const OpLogRecord& r = *controller_.Records()[static_cast<size_t>(record)];
    if (mode_ == kAdvanced) {
        if (list_)
            if (QTreeWidgetItem* row = list_->topLevelItem(record))
                row->setText(1, QString::fromStdString(ChoiceText(r.Choice())));
        ShowSelected();
    } else {
        ShowGauge();
    }
}

void UndoDialog::UndoEnded()
{
    SetItemText(kLabel, ResText(controller_.RunState() == UninstallController::kCancelled ? 152 : 153));
    SetRunning(false);
}

void UndoDialog::Close()
{
    if (controller_.RunState() == UninstallController::kRunning) {
        // Closing the window while the undo runs asks it to stop, as button 1 does.
        controller_.RequestCancel();
        return;
    }
    if (controller_.RunState() == UninstallController::kNotStarted) {
        EndDialog(UninstallController::kCancelled);
    } else if (!controller_.HasPendingUndo()) {
        EndDialog(UninstallController::kFinished);
    } else if (mode_ == kUnattended) {
        EndDialog(UninstallController::kCancelled);
    } else {
        AskQuitDialog ask;
        int answer = RunDialogWithOwner(ask, Window(), "DLGUNDOASKQUIT");
        if (answer == kQuitCancelled) EndDialog(UninstallController::kCancelled);
        else if (answer == kQuitFinished) EndDialog(UninstallController::kFinished);
    }
}

} // namespace kw
