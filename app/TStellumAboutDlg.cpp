#include "app/TStellumAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace {

// A small night sky with a ringed planet: the program's picture.
QPixmap AboutPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x18, 0x40));
    p.drawRoundedRect(QRectF(0, 0, 64, 64), 10, 10);
    p.setBrush(Qt::white);
    for (auto [x, y] : {std::pair{10, 12}, {50, 8}, {54, 46}, {8, 50}, {30, 6}, {44, 56}})
        p.drawEllipse(QPointF(x, y), 1.2, 1.2);
    QRadialGradient glow(QPointF(28, 28), 16);
    glow.setColorAt(0, QColor(0xFF, 0xE0, 0x90));
    glow.setColorAt(1, QColor(0xC0, 0x80, 0x30));
    p.setBrush(glow);
    p.drawEllipse(QPointF(32, 32), 13, 13);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE0, 0xD0, 0xB0), 2.5));
    p.drawEllipse(QPointF(32, 32), 24, 7);
    return pixmap;
}

} // namespace

TStellumAboutDlg::TStellumAboutDlg(QWidget* parent, VersionBlock block)
    : fw::Dialog(parent, "About Stellum"), block_(std::move(block))
{
    auto* picture = new QLabel(this);
    picture->setPixmap(AboutPicture());
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Body()->addWidget(picture, 0, 0, 4, 1);

    auto* name = new QLabel("Stellum", this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    Body()->addWidget(name, 0, 1);
    Place(kVersionId, new QLabel("Version", this), 1, 1);
    auto* purpose = new QLabel("Deep-sky observing planner for amateur astronomers", this);
    Body()->addWidget(purpose, 2, 1);
    auto* legal = Place(kLegalId, new QLabel("Copyright Quillon Software", this), 3, 1);
    legal->setWordWrap(true);
    Place(kSpecialBuildId, new QLabel(this), 4, 1);
    Body()->setHorizontalSpacing(16);
    Body()->setColumnStretch(1, 1);
    AddButton(fw::IDOK, "OK", true);
}

void TStellumAboutDlg::SetupWindow()
{
    std::string product, version, text;
    if (block_.Query("ProductName", product) && block_.Query("ProductVersion", version)) {
        // The resource's word ("Version"), at most 128 characters, then the version.
        std::string label = ControlText(kVersionId).substr(0, 128);
        SetControlText(kVersionId, label + " " + version);
    }
    if (block_.Query("LegalCopyright", text)) SetControlText(kLegalId, text);
    if (block_.Query("SpecialBuild", text)) SetControlText(kSpecialBuildId, text);
}
