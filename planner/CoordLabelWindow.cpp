#include "planner/CoordLabelWindow.h"

#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "catalog/SessionTime.h"
#include "framework/gui/PopupMenu.h"
#include "globals/Globals.h"
#include "planner/AngleLabelWindow.h"
#include "planner/DistanceLabelWindow.h"
#include "planner/PlannerStrings.h"
#include "planner/TimeDateLabelWindow.h"

namespace {
// Reduction steps by reduction choice (mean, apparent, true).
constexpr std::uint32_t kReductionMask[3] = {Coord::MaskMeanPlace, Coord::MaskApparentPlace, 0x27};
constexpr int kReductionWord[3] = {17509, 17510, 17508};
constexpr int kFrameWord[5] = {17505, 17501, 17502, 17503, 17504};
enum TimeSlot { kRise = 0, kTransit = 1, kSet = 2, kEvening = 3, kMorning = 4 };
} // namespace

CoordLabelWindow::CoordLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Coordinates" : caption), CoordLabelConfig(name)
{
    SetColorGroup(141);
    SetLabelWidth(kCaptionOnly, false);
    for (int c = CM_EQUATORIAL; c <= CM_APPARENT; ++c) OnCommand(c, [this, c] { Choose(c); });
    for (int c = TimeDateLabelWindow::kFirstCompositionCommand; c <= TimeDateLabelWindow::kFirstScaleCommand + 7; ++c)
        if (TimeDateLabelWindow::IsTimeCommand(c)) OnCommand(c, [this, c] { Choose(c); });
    OnCommand(CM_PARTNERCHOICECHANGED, [this] { TakePartnerChoices(); });
}

void CoordLabelWindow::SetPartners(AngleLabelWindow* theta, AngleLabelWindow* phi, DistanceLabelWindow* distance)
{
    theta_ = theta;
    phi_ = phi;
    distance_ = distance;
    for (LabelWindow* w : {static_cast<LabelWindow*>(theta), static_cast<LabelWindow*>(phi),
                           static_cast<LabelWindow*>(distance)})
        if (w) w->partnerOwner = this;
}

void CoordLabelWindow::SetTimePartners(TimeDateLabelWindow* rise, TimeDateLabelWindow* transit,
                                       TimeDateLabelWindow* set, TimeDateLabelWindow* evening,
                                       TimeDateLabelWindow* morning)
{
    times_[kRise] = rise;
    times_[kTransit] = transit;
    times_[kSet] = set;
    times_[kEvening] = evening;
    times_[kMorning] = morning;
    for (TimeDateLabelWindow* w : times_)
        if (w) w->partnerOwner = this;
}

Angle CoordLabelWindow::SunLongitude(const JulianDate& now)
{
    if (AppGlobals.sunRst && AppGlobals.sunRst->Status() != RiseSetTransit::kNotComputed)
        return Coord::ToEcliptic(AppGlobals.sunRst->PositionAt(now)).Longitude();
    if (AppGlobals.planets && AppGlobals.planets->IsAvailable(0))
        return Coord::ToEcliptic(AppGlobals.planets->ApparentPosition(now, 0)).Longitude();
    return Angle();
}

std::string CoordLabelWindow::CaptionText() const
{
    const int frame = settings[kFrame];
    const int reduction = settings[kReduction];
    std::string text = PlannerString(kFrameWord[frame >= 0 && frame < 5 ? frame : 1]) + " Coordinates";
    if (frame != Horizon) {
        text += ", " + PlannerString(kReductionWord[reduction >= 0 && reduction < 3 ? reduction : 1]);
        text += settings[kEpoch] == CurrentEpoch ? " of Date" : " J2000.0";
    }
    bool hasTimes = false;
    for (TimeDateLabelWindow* w : times_) hasTimes = hasTimes || w;
    if (hasTimes) text += ", Times in " + TimeDateLabelWindow::ScaleAbbreviation(settings[kTimeChoices]);
    return text;
}

// 1. The reduction mask and the epoch by the choices.
// 2. Equatorial: right ascension and declination of the reduced position; ecliptic: its
//    longitude and latitude; horizon: azimuth and altitude of the apparent place of date at
//    the site, without refraction. Galactic frames have no computation here.
// 3. Distance, rise, transit and set, and the twilight of the night.
// 4. The window's own caption from the choices.
void CoordLabelWindow::Compute(const Coord& position, RiseSetTransit* riseSet, bool repaint)
{
    position_ = position;
    riseSet_ = riseSet;
    computed_ = true;
    const JulianDate now = SessionTime::Now();
    const ObsSite& site = SessionTime::Site();
    const int reduction = settings[kReduction] >= 0 && settings[kReduction] < 3 ? settings[kReduction] : 1;
    const JulianDate epoch = settings[kEpoch] == CurrentEpoch ? now : JulianDate();
    const Angle sun = SunLongitude(now);
    reduced_ = Coord::AsEquatorial(Coord::Reduce(position, epoch, kReductionMask[reduction], sun, Angle(), Angle()));

    Angle theta, phi;
    int thetaCaption = 17514, phiCaption = 17515;
    bool known = true;
    switch (settings[kFrame]) {
    case Equatorial:
        theta = reduced_.RA();
        phi = reduced_.Dec();
        break;
    case Ecliptic: {
        const Coord ecliptic = Coord::ToEcliptic(reduced_);
        theta = ecliptic.Longitude();
        phi = ecliptic.Latitude();
        thetaCaption = 17516;
        phiCaption = 17517;
        break;
    }
    case Horizon: {
        const Coord apparent = Coord::Reduce(position, now, Coord::MaskApparentPlace, sun, Angle(), Angle());
        const Coord horizontal = site.ToHorizontal(now, apparent, 0);
        theta = horizontal.Longitude();
        phi = horizontal.Latitude();
        thetaCaption = 17519;
        phiCaption = 17518;
        break;
    }
    default:
        known = false;
        break;
    }
    if (theta_) {
        theta_->SetTitle(PlannerString(thetaCaption), repaint);
        if (known) theta_->SetAngle(theta, repaint);
        else theta_->SetText("Not Available", repaint);
    }
    if (phi_) {
        phi_->SetTitle(PlannerString(phiCaption), repaint);
        if (known) phi_->SetAngle(phi, repaint);
        else phi_->SetText("Not Available", repaint);
    }
    if (distance_) {
        distance_->SetTitle(PlannerString(17522), repaint);
        distance_->SetDistance(position.Dist(), repaint);
    }

    if (times_[kRise]) times_[kRise]->SetTitle(PlannerString(17511), repaint);
    if (times_[kSet]) times_[kSet]->SetTitle(PlannerString(17512), repaint);
    if (times_[kTransit]) times_[kTransit]->SetTitle(PlannerString(17513), repaint);
    if (riseSet) {
        const int status = riseSet->Status();
        for (int slot : {kRise, kSet}) {
            TimeDateLabelWindow* w = times_[slot];
            if (!w) continue;
            if (status == RiseSetTransit::kAlwaysAbove) w->SetMessage("Always Above Horizon", repaint);
            else if (status == RiseSetTransit::kAlwaysBelow) w->SetMessage("Always Below Horizon", repaint);
            else w->SetDate(slot == kRise ? riseSet->Rise() : riseSet->Set(), repaint);
        }
        if (times_[kTransit]) times_[kTransit]->SetDate(riseSet->Transit(), repaint);
    }

    if (times_[kMorning]) times_[kMorning]->SetTitle(PlannerString(17523), repaint);
    if (times_[kEvening]) times_[kEvening]->SetTitle(PlannerString(17524), repaint);
    const RiseSetTransit* sunRst = AppGlobals.sunRst;
    const RiseSetTransit* twilight = AppGlobals.twilightRst;
    if (sunRst && twilight && (times_[kMorning] || times_[kEvening])) {
        std::string message;
        const int sunStatus = sunRst->Status();
        const int twStatus = twilight->Status();
        if (twStatus != RiseSetTransit::kRisesAndSets) {
            if (sunStatus == RiseSetTransit::kAlwaysAbove) message = "Perpetual Daylight";
            else if (twStatus == RiseSetTransit::kAlwaysBelow) message = "Perpetual Night";
            else if (twStatus == RiseSetTransit::kAlwaysAbove && sunStatus == RiseSetTransit::kAlwaysBelow)
                message = "Perpetual Twilight";
            else message = "Never Night";
        }
        for (int slot : {kMorning, kEvening}) {
            TimeDateLabelWindow* w = times_[slot];
            if (!w) continue;
            if (!message.empty()) w->SetMessage(message, repaint);
            else w->SetDate(slot == kMorning ? twilight->Rise() : twilight->Set(), repaint);
        }
    }
    SetTitle(CaptionText(), repaint);
}

// Frame, epoch and reduction commands recompute; time commands go to every time window. The
// equatorial frame shows right ascension in hours and the others show degrees, so a frame
// change moves the theta window between the two.
void CoordLabelWindow::Choose(int c)
{
    if (c >= CM_EQUATORIAL && c <= CM_HORIZON) {
        const int frames[5] = {Equatorial, Ecliptic, Galactic, SuperGalactic, Horizon};
        settings[kFrame] = frames[c - CM_EQUATORIAL];
        if (theta_) {
            const bool equatorial = settings[kFrame] == Equatorial;
            if (equatorial && theta_->units == AngleLabelWindow::Degrees) theta_->units = AngleLabelWindow::Hours;
            if (!equatorial && theta_->units == AngleLabelWindow::Hours) theta_->units = AngleLabelWindow::Degrees;
        }
    } else if (c == CM_EPOCHJ2000 || c == CM_CURRENTEPOCH) {
        settings[kEpoch] = c == CM_CURRENTEPOCH ? CurrentEpoch : J2000;
    } else if (c >= CM_TRUE && c <= CM_APPARENT) {
        const int reductions[3] = {True, Mean, Apparent};
        settings[kReduction] = reductions[c - CM_TRUE];
    } else if (TimeDateLabelWindow::IsTimeCommand(c)) {
        for (TimeDateLabelWindow* w : times_) {
            if (!w) continue;
            LabelWindow* owner = w->partnerOwner;
            w->partnerOwner = nullptr;  // the choice comes from here
            w->Choose(c);
            w->partnerOwner = owner;
        }
        TakePartnerChoices();
    } else {
        return;
    }
    if (computed_) Compute(position_, riseSet_, true);
    else SetTitle(CaptionText(), true);
}

void CoordLabelWindow::TakePartnerChoices()
{
    for (TimeDateLabelWindow* w : times_) {
        if (!w) continue;
        for (int i = 0; i < 4; ++i) settings[kTimeChoices + i] = w->settings[i];
        break;
    }
    if (theta_) {
        settings[kThetaChoices] = theta_->units;
        settings[kThetaChoices + 1] = theta_->format;
        settings[kThetaChoices + 2] = theta_->precision;
    }
    if (phi_) {
        settings[kPhiChoices] = phi_->units;
        settings[kPhiChoices + 1] = phi_->format;
        settings[kPhiChoices + 2] = phi_->precision;
    }
    SetTitle(CaptionText(), true);
}

void CoordLabelWindow::ShowRightButtonMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    auto checked = [](bool on) { return on ? fw::MF_CHECKED : fw::MF_STRING; };
    fw::PopupMenu& frames = menu.AppendPopup("&Frame");
    const int frameOf[5] = {Equatorial, Ecliptic, Galactic, SuperGalactic, Horizon};
    for (int i = 0; i < 5; ++i)
        frames.AppendItem(CM_EQUATORIAL + i, PlannerString(17501 + i), checked(settings[kFrame] == frameOf[i]));
    fw::PopupMenu& epochs = menu.AppendPopup("&Epoch");
    epochs.AppendItem(CM_EPOCHJ2000, "Epoch J2000.0", checked(settings[kEpoch] == J2000));
    epochs.AppendItem(CM_CURRENTEPOCH, "Current Epoch", checked(settings[kEpoch] == CurrentEpoch));
    fw::PopupMenu& reductions = menu.AppendPopup("&Reduction");
    reductions.AppendItem(CM_TRUE, "True", checked(settings[kReduction] == True));
    reductions.AppendItem(CM_MEAN, "Mean", checked(settings[kReduction] == Mean));
    reductions.AppendItem(CM_APPARENT, "Appar", checked(settings[kReduction] == Apparent));
    for (TimeDateLabelWindow* w : times_) {
        if (!w) continue;
        w->AppendTimeMenus(menu);
        break;
    }
    menu.AppendSeparator();
    AppendColorMenu(menu.AppendPopup("&Colors..."));
    menu.Track(*this, p.x < 0 ? fw::Point(1, 1) : p);
}
