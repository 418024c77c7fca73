// "Location Chooser": picks a site from the shipped site list by walking from a country to a
// region (when the country has regions) to a site, in one list box.
#pragma once

#include "framework/gui/Dialog.h"
#include "ui/LocationData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw { class ListBox; }

class CountryDlg : public fw::Dialog {
public:
    static constexpr int kListId = 101;
    // Item data of a site: this flag plus the site's position in the site list.
    static constexpr long kSiteFlag = 0x10000;

    enum Stage { Countries = 1, Regions = 2, Sites = 3, SiteChosen = 4 };

    CountryDlg(QWidget* parent, const std::string& siteListFile, int helpContext = 0);

    // The chosen site, after the dialog closed with OK.
    const LocationData& Chosen() const { return chosen_; }
    int CurrentStage() const { return stage_; }

    // The whole site list file, as far as it could be read.
    struct SiteList {
        struct Named {
            std::string name;
            std::uint32_t number;
        };
        std::vector<Named> countries;
        std::vector<std::uint8_t> regionCountry;  // country of each region number
        std::vector<Named> regions;
        std::vector<LocationData> sites;
        bool complete = false;
    };
    static SiteList ReadSiteList(const std::string& path);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void Fill();
    void Choose();

    std::string siteListFile_;
    fw::ListBox* list_;
    LocationData chosen_;
    int stage_ = Countries;
    std::uint8_t country_ = 255;
    std::uint8_t region_ = 255;
    std::int32_t site_ = -1;
};
