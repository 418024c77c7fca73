#include "planner/ObservingListExport.h"

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/Browser.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/SessionTime.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "globals/Globals.h"
#include "planner/TextPane.h"
#include "ui/ExportOptionsDialog.h"

#include <cerrno>
#include <cstring>

ObservingListExport::ObservingListExport(QWidget* parent, TextPane& pane, NGC2000Indexes& database)
    : parent_(parent), pane_(pane), db_(database)
{
}

double ObservingListExport::SessionHours(int startHour, int startMinute, int endHour, int endMinute)
{
    const double start = startHour + startMinute / 60.0;
    const double end = endHour + endMinute / 60.0;
    return end >= start ? end - start : end + (24 - start);
}

bool ObservingListExport::CmExport()
{
    const int n = db_.CountOf(Browser::kObservingList);
    if (n == 0) {
        fw::MessageBox(parent_, "No Records Available for Export", "", fw::MB_OK);
        return false;
    }
    if (n > kMaxEntries) return false;

    int form = 0;
    {
        ExportOptionsDialog dialog(parent_, ExportOptionsDialog::kResourceId);
        dialog.allowed = 7;
        dialog.choice = ExportOptionsDialog::TabDelimited;
        dialog.SetCaption("Export Observing List");
        if (dialog.Execute() != fw::IDOK) return false;
        form = dialog.choice;
    }
    fw::FileDialogRequest request;
    request.kind = fw::FileDialogRequest::Save;
    request.filters = {{"Text files", "*.txt"}, {"All files", "*.*"}};
    request.flags = fw::dtOverwritePrompt;
    switch (form) {
    case ExportOptionsDialog::ParagraphText: request.title = "Export Paragraph Text"; request.path = "OBSLIST.TXT"; break;
    case ExportOptionsDialog::TabDelimited: request.title = "Export Tab Delim Text"; request.path = "OBSLIST.TXT"; break;
    case ExportOptionsDialog::TheSky: request.title = "Export Observing List to TheSky"; request.path = "STLM2Sky.txt"; break;
    default: return false;
    }
    if (!fw::RunFileDialog(parent_, request) || request.path.empty()) return false;
    const std::string path = request.path;
    return Export(form, path);
}

// The list is walked with the database's own cursor, which is kept before and put back after,
// so the view shows the entry it showed before (a temporary object is not shown again). The
// whole text is made first and then replaces the file in one step: a failed write leaves
// nothing half-written under the chosen name.
bool ObservingListExport::Export(int form, const std::string& path)
{
    const std::string text = Compose(form);
    if (text.empty()) return false;
    errno = 0;
    if (!fw::WriteFileReplacing(path, text)) {
        const std::string reason = errno ? std::strerror(errno) : "unknown error";
        fw::MessageBox(parent_, "The observing list could not be written to\n" + path + "\n(" + reason + ").",
                   "Export Observing List", fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

std::string ObservingListExport::Compose(int form)
{
    const int n = db_.CountOf(Browser::kObservingList);
    if (n <= 0 || n > kMaxEntries) return {};
    if (form != ExportOptionsDialog::ParagraphText && form != ExportOptionsDialog::TabDelimited &&
        form != ExportOptionsDialog::TheSky)
        return {};
    Browser kept;
    kept.Assign(db_);
    db_.SelectList(Browser::kObservingList);
    db_.FirstObject();
    std::string text;
    switch (form) {
    case ExportOptionsDialog::ParagraphText: text = Paragraphs(n); break;
    case ExportOptionsDialog::TabDelimited: text = TabLines(n); break;
    default: text = TheSkyLines(n); break;
    }
    db_.Assign(kept);
    if (showObject) showObject(db_.CurrentObject());
    return text;
}

// Each object is computed for its own moment: the session (from the applied filter settings)
// is shared out evenly, the first object at its start on the current local date; the current
// time is put back afterwards. The clock is held in manual time meanwhile, so that the clock
// update for the moved time keeps it rather than taking the computer's clock again.
std::string ObservingListExport::Paragraphs(int n)
{
    const ObsSite& site = SessionTime::Site();
    JulianDate* now = AppGlobals.now;
    const JulianDate kept = now ? *now : JulianDate();
    const bool keptFollow = FollowSystemClock;
    const TimeDate local = site.ToLocal(kept);
    std::string text = "\n\tObserving List for " + local.Format(0, 8, 1) + "\n";

    const FilterSettings f = db_.GetFilterSettings();
    const double hours = SessionHours(f.sessionStartHour, f.sessionStartMinute, f.sessionEndHour, f.sessionEndMinute);
    timeStep = static_cast<long>(hours * 3600 / n);
    if (now) {
        FollowSystemClock = false;
        *now = site.LocalToUT(TimeDate(local.year, local.month, local.day, f.sessionStartHour, f.sessionStartMinute, 0));
        if (updateClock) updateClock();
    }
    for (int i = 0; i < n; ++i) {
        const ObjectId id = db_.CurrentObject();
        pane_.ShowObject(id, false, true);
        if (now) *now = *now + timeStep / 86400.0;
        text += "\n";
        text += db_.FullName(id) + "\n";
        for (int code = 3; code <= 19; ++code) text += pane_.FieldText(code) + "\n";
        db_.NextObject();
    }
    if (now) {
        *now = kept;
        FollowSystemClock = keptFollow;
        if (updateClock) updateClock();
    }
    return text;
}

std::string ObservingListExport::TabLines(int n)
{
    const JulianDate now = SessionTime::Now();
    std::string text = "Observing List for " + now.Calendar().Format(0, 8, 2) + "\n";
    text += "Name\tType\tConstellation\tRA\tDEC\tNotes\n";
    for (int i = 0; i < n; ++i) {
        const ObjectId id = db_.CurrentObject();
        pane_.SetPaneCaption(id.Name());
        pane_.ShowObject(id, false, false);
        text += id.Name() + "\t" + pane_.FormatTabLine() + "\n";
        db_.NextObject();
    }
    return text;
}

std::string ObservingListExport::TheSkyLines(int n)
{
    std::string text = pane_.WriteTheSkyHeader();
    for (int i = 0; i < n; ++i) {
        const ObjectId id = db_.CurrentObject();
        pane_.SetPaneCaption(id.Name());
        pane_.ShowObject(id, false, false);
        text += pane_.FormatTheSkyLine("V" + std::to_string(i + 1));
        db_.NextObject();
    }
    return text;
}
