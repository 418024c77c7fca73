#include "app/Printouts.h"

#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/SessionTime.h"
#include "framework/stream/StateReset.h"
#include "globals/Globals.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kFieldsPerObject = 18;
// The printer's default text font: a fixed-pitch face that the set-up installs
// (fonts-dejavu-core), named rather than left to whatever "Monospace" means on the machine, so
// that a printout's lines per page are the same everywhere.
constexpr const char* kDeviceDefaultFace = "DejaVu Sans Mono";
// Report lines are read in pieces of at most this many characters.
constexpr std::size_t kReportLineLength = 255;

int PagesFor(int count, int perPage)
{
    return perPage > 0 && count > 0 ? (count + perPage - 1) / perPage : 0;
}

// One line of the report: up to the line end (dropped) or kReportLineLength characters.
bool ReadReportLine(std::istream& in, std::string& line)
{
    line.clear();
    int c = 0;
    while (line.size() < kReportLineLength && (c = in.get()) != EOF) {
        if (c == '\n') return true;
        line += static_cast<char>(c);
    }
    return !line.empty() || c != EOF;
}

} // namespace

TextPageMetrics TextPageMetrics::Compute(fw::Size page, int dpiX, int dpiY, bool landscape, const fw::TextMetrics& font)
{
    TextPageMetrics m;
    m.width = page.cx;
    m.height = page.cy;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    if ((!landscape && m.width >= m.height) || (landscape && m.height >= m.width)) {
        std::swap(m.width, m.height);
        std::swap(m.dpiX, m.dpiY);
    }
    m.leftMargin = static_cast<int>(m.dpiX * 0.5);
    m.topMargin = static_cast<int>(m.dpiY * 0.5);
    m.lineHeight = std::max(1, font.height + font.internalLeading);
    m.charWidth = std::max(1, font.maxCharWidth);
    m.linesPerPage = (m.height - 2 * m.topMargin) / m.lineHeight - 1;
    m.charsPerLine = (m.width - 2 * m.leftMargin) / m.charWidth - 1;
    return m;
}

fw::Font DeviceDefaultFont(int dpiY)
{
    return fw::Font(kDeviceDefaultFace, -std::max(1, dpiY * 10 / 72));
}

double SessionLengthHours(const NGC2000Indexes& database)
{
    const FilterSettings f = database.GetFilterSettings();
    const double start = f.sessionStartHour + f.sessionStartMinute / 60.0;
    const double end = f.sessionEndHour + f.sessionEndMinute / 60.0;
    return end >= start ? end - start : end + (24 - start);
}

// --- NGCprintout ---------------------------------------------------------------------

fw::PageMargins NGCprintout::margins;

namespace {
const fw::StateReset resetMargins{[] { NGCprintout::margins = fw::PageMargins(); }};
} // namespace

NGCprintout::NGCprintout(const std::string& title, PlannerPrintView& view, fw::Printer& printer, int format, int source)
    : Printout(title), view_(view), printer_(printer), format_(format), source_(source),
      savedNow_(AppGlobals.now ? *AppGlobals.now : JulianDate()), savedFollowClock_(FollowSystemClock)
{
    NGC2000Indexes* db = AppGlobals.database;
    if (db) savedCursor_.Assign(*db);
    switch (source_) {
    case PrintSourceFiltered: objects_ = db ? db->CountOf(Browser::kFilteredList) : 0; break;
    case PrintSourceObservingList: objects_ = db ? db->CountOf(Browser::kObservingList) : 0; break;
    case PrintSourceCurrentObject: objects_ = 1; break;
    default: objects_ = 0; break;
    }
    // The session is shared out among the objects; an empty list has no step.
    if (db && objects_ > 0) timeStep_ = SessionLengthHours(*db) / 24.0 / objects_;
    if (db) {
        const FilterSettings f = db->GetFilterSettings();
        const ObsSite& site = SessionTime::Site();
        const TimeDate local = site.ToLocal(savedNow_);
        start_ = site.LocalToUT(TimeDate(local.year, local.month, local.day, f.sessionStartHour, f.sessionStartMinute, 0));
    }
}

NGCprintout::~NGCprintout()
{
    if (NGC2000Indexes* db = AppGlobals.database) db->Assign(savedCursor_);
    if (AppGlobals.now) *AppGlobals.now = savedNow_;
    FollowSystemClock = savedFollowClock_;
}

void NGCprintout::SetPrintParams(fw::DC* dc, fw::Size pageSize)
{
    int left = 0, top = 0, width = pageSize.cx, height = pageSize.cy;
    if (!margins.IsZero()) {
        // The margins are measured from the paper's edge; the device's own margins are
        // already outside the page.
        const fw::PageMargins device = printer_.MinimumMargins();
        const double x = printer_.DotsPerInchX() * 0.001, y = printer_.DotsPerInchY() * 0.001;
        left = std::max(0, static_cast<int>((margins.left - device.left) * x));
        top = std::max(0, static_cast<int>((margins.top - device.top) * y));
        const int right = std::max(0, static_cast<int>((margins.right - device.right) * x));
        const int bottom = std::max(0, static_cast<int>((margins.bottom - device.bottom) * y));
        width = std::max(1, width - left - right);
        height = std::max(1, height - top - bottom);
    }
    Printout::SetPrintParams(dc, fw::Size(width, height));
    PrintFormatWindow::ComputeCells(fw::Rect(left, top, left + width, top + height), format_, cells_);
}

void NGCprintout::BeginDocument(int, int)
{
    view_.SavePrintState();
    documentBegun_ = true;
}

int NGCprintout::PageCount() const
{
    if (cells_.count == 0) return 0;
    switch (source_) {
    case PrintSourceFiltered:
    case PrintSourceObservingList: return PagesFor(objects_, cells_.count);
    case PrintSourceCurrentObject: return 1;
    default: return 0;
    }
}

void NGCprintout::PrintPage(int page)
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!GetDC() || (!db && source_ != PrintSourceCurrentObject)) return;
    const int perPage = cells_.count;
    const int n = std::min(perPage, objects_ - (page - 1) * perPage);
    for (int i = 1; i <= n; ++i) {
        const fw::Rect cell = PrintFormatWindow::GetCellRect(cells_, i);
        const int k = (page - 1) * perPage + i - 1;
        if (!db) {
            view_.PaintPanesToDC(*GetDC(), cell);
            continue;
        }
        const ObjectId temporary = db->TemporaryObject();
        if (source_ == PrintSourceFiltered || source_ == PrintSourceObservingList) {
            db->ClearTemporaryObject();
            db->SelectList(source_ == PrintSourceFiltered ? Browser::kFilteredList : Browser::kObservingList);
            if (source_ == PrintSourceFiltered) db->First();
            db->GoTo(k);
            if (AppGlobals.now) *AppGlobals.now = start_ + k * timeStep_;
        }
        const ObjectId id = db->CurrentObject();
        db->SetTemporaryObject(temporary);
        view_.ShowObject(id);
        view_.PaintPanesToDC(*GetDC(), cell);
    }
}

void NGCprintout::EndDocument()
{
    if (!documentBegun_) return;
    documentBegun_ = false;
    view_.RestorePrintState();
}

// --- TextPrintout --------------------------------------------------------------------

TextPrintout::TextPrintout(fw::Printer& printer, const std::string& title, PlannerPrintView& view, int source)
    : TextPagePrintout(title, printer), copyPath(UserDirectory + "prntxt.txt"), view_(view), source_(source)
{
    NGC2000Indexes* db = AppGlobals.database;
    switch (source_) {
    case PrintSourceFiltered: count_ = db ? db->CountOf(Browser::kFilteredList) : 0; break;
    case PrintSourceObservingList: count_ = db ? db->CountOf(Browser::kObservingList) : 0; break;
    case PrintSourceCurrentObject: count_ = 1; break;
    default: count_ = 0; break;
    }
    if (db && count_ > 0) view_.SetTimeStep(static_cast<std::int32_t>(SessionLengthHours(*db) * 3600 / count_));
}

void TextPagePrintout::SetPrintParams(fw::DC* dc, fw::Size pageSize)
{
    Printout::SetPrintParams(dc, pageSize);
    oldMapMode_ = dc->SetMapMode(fw::MM_TEXT);
    oldFont_ = dc->SelectFont(DeviceDefaultFont(printer_.DotsPerInchY()));
    metrics_ = TextPageMetrics::Compute(pageSize, printer_.DotsPerInchX(), printer_.DotsPerInchY(),
                                        printer_.GetOrientation() == fw::PageOrientation::Landscape,
                                        dc->GetTextMetrics());
}

void TextPagePrintout::RestoreDC()
{
    if (fw::DC* dc = GetDC()) {
        dc->SetMapMode(oldMapMode_);
        dc->SelectFont(oldFont_);
    }
}

int TextPrintout::ObjectsPerPage(int linesPerPage)
{
    return std::max(1, (linesPerPage - 2) / kFieldsPerObject);
}

fw::PageRange TextPrintout::GetDialogInfo()
{
    objectsPerPage_ = ObjectsPerPage(metrics_.linesPerPage);
    pageCount_ = source_ == PrintSourceCurrentObject ? 1 : PagesFor(count_, objectsPerPage_);
    if (source_ != PrintSourceFiltered && source_ != PrintSourceObservingList && source_ != PrintSourceCurrentObject)
        pageCount_ = 0;
    return fw::PageRange{1, std::max(1, pageCount_), 0, 0};
}

void TextPrintout::BeginPrinting()
{
    copy_.open(copyPath, std::ios::out | std::ios::trunc);
}

void TextPrintout::BeginDocument(int, int)
{
    view_.SavePrintState();
    documentBegun_ = true;
}

void TextPrintout::EndDocument()
{
    if (!documentBegun_) return;
    documentBegun_ = false;
    view_.RestorePrintState();
}

void TextPrintout::Line(int n, const std::string& text, unsigned align, int x)
{
    fw::DC* dc = GetDC();
    const unsigned old = dc->SetTextAlign(align);
    dc->TextOut(fw::Point(x, metrics_.topMargin + n * metrics_.lineHeight), text);
    dc->SetTextAlign(old);
    if (copy_.is_open()) copy_ << text << '\n';
}

void TextPrintout::PrintPage(int page)
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!GetDC() || !db) return;
    static const char* const kHeads[] = {"", "Stellum Filtered List for ", "Stellum Observing List for ", "",
                                         "Stellum Selected Object for "};
    const TimeDate local = SessionTime::Site().ToLocal(SessionTime::Now());
    const std::string head = std::string(source_ >= 0 && source_ <= 4 ? kHeads[source_] : "") + local.Format(0, 8, 2) +
                             " page " + std::to_string(page) + " of " + std::to_string(pageCount_);
    const int printable = metrics_.width - 2 * metrics_.leftMargin;
    Line(0, head, fw::TA_CENTER | fw::TA_TOP, metrics_.leftMargin + printable / 2);

    // The objects of the page are reached through the list's cursor, which is put back after.
    const int list = source_ == PrintSourceFiltered ? Browser::kFilteredList : Browser::kObservingList;
    const int keptList = db->Selected(), keptIndex = db->IndexOf(list);
    for (int j = 0; j < objectsPerPage_; ++j) {
        const int entry = (page - 1) * objectsPerPage_ + j;
        if (entry >= count_) break;
        ObjectId id = db->CurrentObject();
        if (source_ != PrintSourceCurrentObject) {
            db->SelectList(list);
            db->GoTo(entry);
            id = db->CurrentObject();
        }
        for (int field = 1; field <= kFieldsPerObject; ++field)
            Line(j * kFieldsPerObject + 2 + (field - 1), view_.GetObjectFieldText(id, field), fw::TA_LEFT | fw::TA_TOP,
                 metrics_.leftMargin);
    }
    if (source_ != PrintSourceCurrentObject) {
        db->SelectList(list);
        db->GoTo(keptIndex);
        db->SelectList(keptList);
    }
}

void TextPrintout::EndPrinting()
{
    copy_.close();
    RestoreDC();
}

// --- LogPrintOut ---------------------------------------------------------------------

LogPrintOut::LogPrintOut(fw::Printer& printer, const std::string& logTitle, ReportWriter writer)
    : TextPagePrintout("Observing Log", printer), reportPath(UserDirectory + "OBSLOG.TXT"), logTitle_(logTitle),
      writer_(std::move(writer))
{
}

fw::PageRange LogPrintOut::GetDialogInfo()
{
    pageCount_ = writer_ ? writer_(metrics_.charsPerLine, metrics_.linesPerPage - 3, reportPath, 0) : 0;
    return fw::PageRange{1, std::max(1, pageCount_), 0, 0};
}

void LogPrintOut::BeginPrinting()
{
    report_.open(reportPath, std::ios::in | std::ios::binary);
}

void LogPrintOut::PrintPage(int page)
{
    fw::DC* dc = GetDC();
    if (!dc || !report_.is_open()) return;
    report_.clear();
    report_.seekg(0);
    if (!report_) return;
    // Pages are separated by lines that begin with a form feed.
    int counter = 1;
    std::string line;
    while (counter != page && ReadReportLine(report_, line))
        if (!line.empty() && line[0] == '\f') ++counter;
    if (counter != page) return;

    auto at = [&](int n) { return metrics_.topMargin + n * metrics_.lineHeight; };
    dc->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    dc->TextOut(fw::Point(metrics_.leftMargin, at(0)), "Stellum Observing Log (" + logTitle_ + ")");
    for (int n = 2; n < metrics_.linesPerPage; ++n) {
        if (!ReadReportLine(report_, line)) break;
        if (line.find('\f') != std::string::npos || line == "<ERROR>" || line == "<END OF FILE>") break;
        dc->TextOut(fw::Point(metrics_.leftMargin, at(n)), line);
    }
    dc->SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
    dc->TextOut(fw::Point(metrics_.leftMargin + (metrics_.width - 2 * metrics_.leftMargin) / 2, at(metrics_.linesPerPage)),
                "Page " + std::to_string(counter));
    dc->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
}

void LogPrintOut::EndPrinting()
{
    report_.close();
    RestoreDC();
}
