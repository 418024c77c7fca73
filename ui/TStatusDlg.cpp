#include "ui/TStatusDlg.h"

#include "astro/SolarReport.h"
#include "ui/LogErrors.h"

#include "framework/gui/Gauge.h"
#include "framework/gui/ListBox.h"
#include "globals/Globals.h"

#include <QGridLayout>
#include <QLabel>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
const char* const kCaption = "Current Process Status";
} // namespace

TStatusDlg::TStatusDlg(QWidget* parent, const std::string& logPath)
    : fw::Dialog(parent, kCaption),
      logFile_(logPath, std::ios::out | std::ios::trunc)
{
    list_ = Place(kListId, new fw::ListBox(this), 0, 0);
    // The placeholder marks where the bar goes; it is never shown.
    placeholder_ = Place(kPlaceholderId, new QLabel(this), 1, 0);
    placeholder_->setMinimumHeight(20);
    placeholder_->hide();
    AddButton(kHideId, "HIDE", true);
    resize(380, 240);
    setModal(false);
}

TStatusDlg::~TStatusDlg() = default;

void TStatusDlg::SetupWindow()
{
    // The bar takes the placeholder's place in the layout, with the placeholder's size.
    gauge_ = new fw::Gauge(this, "%d%%", true);
    gauge_->SetMargin(2);
    gauge_->setMinimumHeight(placeholder_->minimumHeight());
    Body()->addWidget(gauge_, 1, 0);
    gauge_->SetValue(int(lastPercentage_));
    list_->SetHorizontalExtent(400);
}

void TStatusDlg::ShowAndActivate()
{
    EnsureSetUp();
    showNormal();
    raise();
    activateWindow();
}

void TStatusDlg::Log(const std::string& text)
{
    if (!logFile_.is_open()) return;
    logFile_ << text << '\n';
    logFile_.flush();
}

void TStatusDlg::AddLine(const std::string& text)
{
    ShowAndActivate();
    int index = list_->AddString(text);
    list_->SetCaretIndex(index);
}

void TStatusDlg::Message(const std::string& text, bool show)
{
    EnsureSetUp();
    if (show) ShowAndActivate();
    int index = list_->AddString(text);
    list_->SetCaretIndex(index);
    if (logging_) Log(text);
    if (list_->GetCount() > kMaxLines) {
        // The list is emptied so that it never grows without end. Without logging its lines
        // are in no file yet, so they are copied there now, as the notice says.
        if (!logging_)
            for (int i = 0; i < list_->GetCount() - 1; ++i) Log(list_->GetString(i));
        Log(text);
        list_->ClearList();
        AddLine("Status buffer exceeded\nBuffer copied to status.txt");
    }
    fw::PumpWaitingMessages();
}

void TStatusDlg::SetGauge(std::uint32_t percent)
{
    ShowAndActivate();
    lastPercentage_ = percent;
    if (gauge_) gauge_->SetValue(int(percent > 100 ? 100 : percent));
}

void TStatusDlg::SetProgress(std::uint32_t percent)
{
    SetGauge(percent);
    fw::PumpWaitingMessages();
}

void TStatusDlg::StepProgress(std::uint32_t i, std::uint32_t n, std::uint32_t step)
{
    if (n == 0) return; // no items, no progress
    std::uint64_t percent = std::uint64_t(i) * 100 / n;
    if (percent > std::uint64_t(lastPercentage_) + step) SetProgress(std::uint32_t(percent));
}

void TStatusDlg::HideUnlessPinned()
{
    if (!keepOpen_) hide();
}

void TStatusDlg::CmCancel()
{
    keepOpen_ = false;
    hide();
    list_->ClearList();
}

void TStatusDlg::hideEvent(QHideEvent* event)
{
    fw::Dialog::hideEvent(event);
    SetCaption(kCaption);
}

int TStatusDlg::LineCount() const
{
    return list_->GetCount();
}

std::string TStatusDlg::Line(int index) const
{
    return list_->GetString(index);
}

std::string ErrnoText()
{
    return std::strerror(errno);
}

TStatusDlg* StartStatusWindow(QWidget* mainWindow)
{
    std::string path = ProgramDirectory + "status.txt";
    std::remove(path.c_str());
    auto* status = new TStatusDlg(mainWindow, path);
    status->SetLogging(true);
    status->Create(false);
    QObject::connect(status, &QObject::destroyed, [status] {
        if (StatusWindow == status) StatusWindow = nullptr;
    });
    StatusWindow = status;
    // The astronomy library reports its series files and long runs through these.
    SolarReport.message = [](const std::string& line) {
        if (StatusWindow) StatusWindow->Message(line);
    };
    SolarReport.progress = [](int percent) {
        if (StatusWindow) StatusWindow->SetProgress(percent < 0 ? 0u : static_cast<std::uint32_t>(percent));
    };
    SolarReport.debugLine = [](const std::string& line) { WriteDebugLine(line); };
    return status;
}

void EndStatusWindow()
{
    delete StatusWindow; // clears StatusWindow through its destruction
    StatusWindow = nullptr;
}
