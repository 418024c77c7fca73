#include "ui/CountryDlg.h"

#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"

#include <QApplication>
#include <QGridLayout>

namespace {

// Bounds on what a site list may announce; the sites are addressed by 16-bit positions.
constexpr std::uint32_t kMaxCountries = 256;
constexpr std::uint32_t kMaxRegionMap = 65536;
constexpr std::uint32_t kMaxRegions = 65536;
constexpr std::uint32_t kMaxSites = 65536;
constexpr std::uint32_t kMaxName = 1024;

// Reads a count and that many entries through read into out; false when the count passes max
// or the stream fails, the entries read so far kept.
template <typename T, typename ReadFn>
bool ReadEntries(fw::ipstream& in, std::uint32_t max, std::vector<T>& out, ReadFn read)
{
    const std::uint32_t count = in.readWord32();
    if (in.fail() || count > max)
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        T entry = read();
        if (in.fail())
            return false;
        out.push_back(entry);
    }
    return true;
}

CountryDlg::SiteList::Named ReadNamed(fw::ipstream& in)
{
    CountryDlg::SiteList::Named n;
    n.name = in.readString(kMaxName);
    n.number = in.readWord32();
    return n;
}

} // namespace

CountryDlg::SiteList CountryDlg::ReadSiteList(const std::string& path)
{
    SiteList list;
    fw::ifpstream in(path);
    if (!in.is_open())
        return list;
    in.readString(kMaxName);  // header text
    in.readWord32();
    if (!ReadEntries(in, kMaxCountries, list.countries, [&] { return ReadNamed(in); }))
        return list;
    const std::uint32_t mapCount = in.readWord32();
    if (in.fail() || mapCount > kMaxRegionMap)
        return list;
    list.regionCountry.assign(mapCount, 255);
    for (std::uint32_t i = 0; i < mapCount; ++i) {
        const std::uint8_t country = in.readByte();
        const std::uint32_t region = in.readWord32();
        if (in.fail())
            return list;
        if (region < mapCount)
            list.regionCountry[region] = country;
    }
    if (!ReadEntries(in, kMaxRegions, list.regions, [&] { return ReadNamed(in); }))
        return list;
    const auto readSite = [&] {
        LocationData site;
        site.Read(in);
        return site;
    };
    if (!ReadEntries(in, kMaxSites, list.sites, readSite))
        return list;
    list.complete = true;
    return list;
}

CountryDlg::CountryDlg(QWidget* parent, const std::string& siteListFile, int helpContext)
    : fw::Dialog(parent, "Location Chooser"), siteListFile_(siteListFile)
{
    list_ = Place(kListId, new fw::ListBox(this), 0, 0);
    list_->setMinimumSize(260, 300);
    AddStandardButtons(helpContext);
    OnNotify(kListId, fw::LBN_DBLCLK, [this] { Choose(); });
}

void CountryDlg::SetupWindow()
{
    Fill();
}

void CountryDlg::CmOk()
{
    Choose();
}

void CountryDlg::Fill()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    list_->ClearList();
    stage_ = country_ == 255 ? Countries : (region_ == 255 ? Regions : Sites);
    const SiteList list = ReadSiteList(siteListFile_);
    if (stage_ == Countries) {
        for (const auto& c : list.countries)
            list_->SetItemData(list_->AddString(c.name), static_cast<long>(c.number));
    }
    if (stage_ == Regions) {
        bool any = false;
        for (const auto& r : list.regions) {
            if (r.number < list.regionCountry.size() && list.regionCountry[r.number] == country_) {
                list_->SetItemData(list_->AddString(r.name), static_cast<long>(r.number));
                any = true;
            }
        }
        if (!any)
            stage_ = Sites;
    }
    // The sites of the chosen country and region; for a country without regions (or sites
    // of a country that gives no region for them) the region is 255.
    for (std::size_t i = 0; i < list.sites.size(); ++i) {
        const LocationData& s = list.sites[i];
        if (s.country == country_ && s.region == region_)
            list_->SetItemData(list_->AddString(s.name), kSiteFlag + static_cast<long>(i));
    }
    QApplication::restoreOverrideCursor();
}

void CountryDlg::Choose()
{
    if (stage_ == SiteChosen) {
        CloseWindow(fw::IDOK);
        return;
    }
    const int selected = list_->GetSelIndex();
    if (selected < 0)
        return;  // nothing chosen: nothing to take
    const long item = list_->GetItemData(selected);
    if (item < 0)
        return;
    if ((item >> 16) != 0)
        stage_ = Sites;
    switch (stage_) {
    case Countries:
        country_ = static_cast<std::uint8_t>(item & 0xFF);
        Fill();
        return;
    case Regions:
        region_ = static_cast<std::uint8_t>(item & 0xFF);
        Fill();
        return;
    default:
        site_ = static_cast<std::int32_t>(item & 0xFFFF);
        break;
    }
    const SiteList list = ReadSiteList(siteListFile_);
    if (site_ < 0 || static_cast<std::size_t>(site_) >= list.sites.size()) {
        site_ = -1;
        return;
    }
    chosen_ = list.sites[static_cast<std::size_t>(site_)];
    stage_ = SiteChosen;
    CloseWindow(fw::IDOK);
}
