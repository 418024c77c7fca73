// The object lists with their cursor, the texts of the current object, and the saved state
// in "indexes.rsx": round trip, first start, and damaged files of every kind.
#include "CatalogueDatabaseFixture.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

#include <cstring>

namespace {

FilterSettings Chosen()
{
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kPositionGroup | ObjectFlag::kName);
    f.positionCriteria = ObjectFlag::kRaDec | ObjectFlag::kElevation;
    f.raMin = 20;
    f.raMax = 4;
    f.decMin = -20;
    f.decMax = 70;
    f.elevationMode = 1;
    f.minAltitude = 15;
    f.maxAltitude = 80;
    f.nameCriteria = 0x2;
    return f;
}

SortCriteria ChosenSort()
{
    SortCriteria s;
    s.SelectList(0);
    s.SetKey(1, kSortConstellation);
    s.SetDirection(1, 1);
    s.SetKey(2, kSortMagnitude);
    s.SelectList(1);
    s.SetKey(1, kSortRightAscension);
    return s;
}

std::string StateBytes(NGC2000Indexes& db)
{
    fw::omstream os;
    db.Write(os);
    return os.str();
}

void Put32(std::string& bytes, size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

TEST_F(CatalogueDatabase, ObservingListOperations)
{
    EXPECT_EQ(db_->AddToObservingList(Ngc(224)), 1);
    EXPECT_EQ(db_->AddToObservingList(Ngc(598)), 2);
    EXPECT_EQ(db_->AddToObservingList(Ngc(7000)), 3);
    EXPECT_EQ(db_->AddToObservingList(Ngc(598)), 0);  // already on it
    EXPECT_EQ(db_->AddToObservingList(ObjectId(ObjectId::kMoon)), 0);
    EXPECT_EQ(db_->AddRowToObservingList(13500), 0);
    EXPECT_EQ(db_->AddRowToObservingList(-1), 0);
    EXPECT_EQ(db_->Selected(), 0);
    EXPECT_TRUE(db_->IsOnObservingList(Ngc(598)));
    EXPECT_TRUE(db_->ObservingListChanged());

    db_->SelectList(1);
    db_->GoTo(2);
    EXPECT_EQ(db_->CurrentObject(), Ngc(7000));
    EXPECT_EQ(db_->RemoveFromObservingList(Ngc(598)), 2);
    EXPECT_FALSE(db_->IsOnObservingList(Ngc(598)));
    EXPECT_EQ(db_->Index(), 1);  // clamped to the new end
    EXPECT_EQ(db_->FirstObject(), Ngc(224));
    EXPECT_EQ(db_->NextObject(), Ngc(7000));
    EXPECT_EQ(db_->NextObject(), Ngc(7000));
    EXPECT_EQ(db_->PreviousObject(), Ngc(224));
    EXPECT_EQ(db_->PreviousObject(), Ngc(7000));  // wraps to the last
    EXPECT_TRUE(db_->GoToObject(Ngc(224)));
    EXPECT_EQ(db_->Index(), 0);
    EXPECT_FALSE(db_->GoToObject(Ngc(598)));
    EXPECT_EQ(db_->ListPositionText(), "1 of 2 Observing List Objects");
    db_->SetTemporaryObject(Ngc(1));
    EXPECT_EQ(db_->CurrentObject(), Ngc(1));
    EXPECT_EQ(db_->ListPositionText(), "Temporary Object");
    db_->ClearTemporaryObject();

    // The Messier objects of the filtered list join in its order, skipping those on it.
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kName);
    f.nameCriteria = 0x1 | 0x8;  // Messier objects with a common name
    db_->SelectList(0);
    const int n = Apply(f);
    ASSERT_GT(n, 2);
    ASSERT_TRUE(db_->IsOnFilteredList(Ngc(224)));
    db_->AddFilteredToObservingList();
    EXPECT_EQ(db_->CountOf(1), 2 + n - 1);  // M 31 was on it already
    for (int p = 0, q = 2; p < n; ++p) {
        if (FilteredList[p] != Row(Ngc(224))) {
            EXPECT_EQ(ObservingList[q++], FilteredList[p]);
        }
    }
    EXPECT_EQ(db_->Selected(), 0);

    db_->SelectList(1);
    db_->Last();
    db_->ClearObservingList();
    EXPECT_EQ(db_->CountOf(1), 0);
    EXPECT_EQ(db_->IndexOf(1), 0);
    EXPECT_EQ(db_->StateOf(1), Browser::kEmpty);
    EXPECT_EQ(db_->Selected(), 0);
    EXPECT_FALSE(db_->IsOnObservingList(Ngc(224)));
    EXPECT_EQ(CountRows([](int r) { return (ObjectFlags[r] & ObjectFlag::kObservingList) != 0; }), 0);
}

TEST_F(CatalogueDatabase, PositionTextsAndFullNames)
{
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kName);
    f.nameCriteria = 0x8 | 0x4 | 0x10;
    ASSERT_EQ(Apply(f), 0);
    f.nameCriteria = 0x2 | 0x20;  // in both the Herschel 400 and the SAC 110
    const int n = Apply(f);
    ASSERT_GT(n, 12);
    db_->SetSortCriteria(SortCriteria(), true);
    db_->GoTo(1);
    EXPECT_EQ(db_->ListPositionText(), "2 of " + std::to_string(n) + " Filtered List Objects");
    db_->SetTemporaryObject(Ngc(224));
    EXPECT_FALSE(db_->GoToObject(Ngc(224), 0));  // not on the filtered list
    db_->ClearTemporaryObject();
    ASSERT_TRUE(db_->GoToObject(Ngc(7789), 0));
    EXPECT_EQ(db_->CurrentObject(), Ngc(7789));
    EXPECT_EQ(db_->LastListPositionText(), "2 of " + std::to_string(n) + " Filtered List Objects");
    db_->SelectList(1);
    EXPECT_EQ(db_->ListPositionText(), "Object Not on Observing List");
    db_->SelectList(2);
    db_->SetCount(4);
    db_->GoTo(2);
    EXPECT_EQ(db_->ListPositionText(), "3 of 4 Observing Log Objects");

    const ObjectData d = db_->GetObjectData(Ngc(7789));
    EXPECT_EQ(d.fullName, "NGC 7789 = H-30-VI");
    EXPECT_EQ(d.listPosition, "3 of 4 Observing Log Objects");
    EXPECT_EQ(db_->FullName(Ngc(224)), "NGC 224 = Great Nebula in Andromeda = M 31");
    EXPECT_EQ(db_->FullName(Ngc(40)), "NGC 40 = H-58-IV");
    EXPECT_EQ(db_->FullName(Ic(434)), "IC 434 = Horsehead nebula");
    EXPECT_EQ(db_->FullName(Ngc(7331)), "NGC 7331 = H-53-I");
    EXPECT_EQ(db_->FullName(ObjectId(ObjectId::kMoon)), "Moon");
    EXPECT_EQ(db_->FullName(ObjectId(ObjectId::kJupiter)), "Jupiter");
    EXPECT_EQ(db_->FullName(ObjectId(ObjectId::kSun)), "Sun");
    EXPECT_EQ(db_->FullName(ObjectId::FromCatalogue(1, 13501)), "");
    EXPECT_EQ(db_->FullName(ObjectId::FromCatalogue(2, 5)), "");
}

// Filters, sort, flags, the observing list in its order and its cursor survive the file.
TEST_F(CatalogueDatabase, StateFileRoundTrip)
{
    db_->SetSortCriteria(ChosenSort(), false);
    Apply(Chosen());
    for (ObjectId id : {Ngc(7000), Ngc(224), Ic(434), Ngc(1)})
        db_->AddToObservingList(id);
    db_->SelectList(1);
    db_->GoTo(2);
    db_->SelectList(0);
    const FilterSettings filters = db_->GetFilterSettings();
    std::vector<std::uint16_t> flags(ObjectFlags, ObjectFlags + CatalogueRowCount);
    std::vector<std::int32_t> filtered(FilteredList, FilteredList + db_->CountOf(0));
    Close();

    ResetObjectLists();
    Open();
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_TRUE(db_->StateRead());
    EXPECT_FALSE(db_->ObservingListChanged());
    const FilterSettings back = db_->GetFilterSettings();
    EXPECT_EQ(back, filters);
    EXPECT_EQ(back.minAltitude, 15);
    EXPECT_EQ(back.maxAltitude, 80);
    EXPECT_EQ(db_->RequestedFilterSettings(), back);
    SortCriteria sort = db_->GetSortCriteria();
    SortCriteria expected = ChosenSort();
    sort.SelectList(0);
    expected.SelectList(0);
    EXPECT_EQ(sort, expected);
    sort.SelectList(1);
    expected.SelectList(1);
    EXPECT_EQ(sort, expected);
    EXPECT_TRUE(std::vector<std::uint16_t>(ObjectFlags, ObjectFlags + CatalogueRowCount) == flags);
    EXPECT_TRUE(std::vector<std::int32_t>(FilteredList, FilteredList + db_->CountOf(0)) == filtered);
    EXPECT_EQ(db_->Selected(), 0);
    ASSERT_EQ(db_->CountOf(1), 4);
    EXPECT_EQ(db_->IndexOf(1), 2);
    db_->SelectList(1);
    EXPECT_EQ(db_->FirstObject(), Ngc(7000));
    EXPECT_EQ(db_->NextObject(), Ngc(224));
    EXPECT_EQ(db_->NextObject(), Ic(434));
    EXPECT_EQ(db_->NextObject(), Ngc(1));

    // The block in memory reads back byte for byte.
    db_->SelectList(0);
    const std::string bytes = StateBytes(*db_);
    fw::imstream is(bytes);
    EXPECT_TRUE(db_->Read(is));
    EXPECT_TRUE(StateBytes(*db_) == bytes);
}

// A state written before the altitude limits were saved (filter block version 5) leaves the
// altitude limits in use as they were.
TEST_F(CatalogueDatabase, OlderStateFileKeepsTheAltitudesInUse)
{
    Apply(Chosen());
    std::string bytes = StateBytes(*db_);
    const std::string sig = SignedStreamRecord::FilterSettings;
    const size_t filterStart = bytes.find(sig) - 4;
    const size_t filterEnd = bytes.find(sig, filterStart + 4 + sig.size()) + sig.size();
    bytes.erase(filterEnd - sig.size() - 4 - 4, 4);
    bytes[filterStart + 4 + sig.size()] = 5;
    FilterSettings inUse = Chosen();
    inUse.raMin = 3;
    inUse.minAltitude = 25;
    inUse.maxAltitude = 60;
    Apply(inUse);
    fw::imstream is(bytes);
    ASSERT_TRUE(db_->Read(is));
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_EQ(db_->GetFilterSettings().minAltitude, 25);
    EXPECT_EQ(db_->GetFilterSettings().maxAltitude, 60);
    EXPECT_EQ(db_->GetFilterSettings().raMin, 20);
}

// Every kind of damage is reported with its box and refused whole: the state in use stays.
TEST_F(CatalogueDatabase, DamagedStateIsRefusedWhole)
{
    Apply(Chosen());
    db_->AddToObservingList(Ngc(224));
    db_->AddToObservingList(Ngc(598));
    const std::string good = StateBytes(*db_);
    const FilterSettings filters = db_->GetFilterSettings();
    const std::vector<std::uint16_t> flags(ObjectFlags, ObjectFlags + CatalogueRowCount);

    const std::string dbSig = SignedStreamRecord::NGC2000Database;
    const std::string browserSig = SignedStreamRecord::BrowserClass;
    const size_t browser = 4 + dbSig.size() + 4;
    const size_t browserFields = browser + 4 + browserSig.size() + 4;
    const size_t filterAt = good.find(SignedStreamRecord::FilterSettings) - 4;
    const size_t sortAt = good.find(SignedStreamRecord::SortCriteria) - 4;
    const size_t listAt = good.size() - 4 - dbSig.size() - 8;

    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* box;
    };
    const Case cases[] = {
        {"empty", [](std::string& b) { b.clear(); }, "Error Reading Indexes Filte Signature"},
        {"foreign signature", [](std::string& b) { b[6] ^= 0x20; }, "Error Reading Indexes Filte Signature"},
        {"huge signature length", [](std::string& b) { Put32(b, 0, 0x7FFFFFFF); }, "Error Reading Indexes Filte Signature"},
        {"filter block signature", [&](std::string& b) { b[filterAt + 8] ^= 1; }, "Error Reading Index Filter"},
        {"cut in the filter block", [&](std::string& b) { b.resize(filterAt + 100); }, "Error Reading Index Filter"},
        {"sort block signature", [&](std::string& b) { b[sortAt + 8] ^= 1; }, "Error Reading Sort Criteria"},
        {"selected list 7", [&](std::string& b) { Put32(b, browserFields, 7); }, "Error Reading Indexes File"},
        {"filtered count above the catalogue", [&](std::string& b) { Put32(b, browserFields + 4 + 8, 13227); }, "Error Reading Indexes File"},
        {"negative observing count", [&](std::string& b) { Put32(b, browserFields + 16 + 8, 0xFFFFFFFF); }, "Error Reading Indexes File"},
        {"huge observing count", [&](std::string& b) { Put32(b, browserFields + 16 + 8, 0x40000000); }, "Error Reading Indexes File"},
        {"index past its list", [&](std::string& b) { Put32(b, browserFields + 16, 2); }, "Error Reading Indexes File"},
        {"negative index", [&](std::string& b) { Put32(b, browserFields + 4, 0xFFFFFFF0); }, "Error Reading Indexes File"},
        {"observing count beyond the entries", [&](std::string& b) { Put32(b, browserFields + 16 + 8, 3); }, "Error Reading Obslist"},
        {"identifier of another catalogue", [&](std::string& b) { Put32(b, listAt, 0x4000000 + 5); }, "Error Reading Obslist"},
        {"cut before the closing signature", [&](std::string& b) { b.resize(listAt + 8); }, "Error Reading Indexes File"},
        {"cut in the flags", [&](std::string& b) { b.resize(sortAt + 200); }, "Error Reading Obslist"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        boxes_.Clear();
        fw::imstream is(bytes);
        EXPECT_FALSE(db_->Read(is)) << c.what;
        ASSERT_EQ(boxes_.Count(), 1) << c.what;
        EXPECT_EQ(boxes_.Last().text, c.box) << c.what;
        EXPECT_EQ(boxes_.Last().title, "ERROR");
        EXPECT_EQ(boxes_.Last().style, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        EXPECT_FALSE(db_->StateRead());
        EXPECT_EQ(db_->GetFilterSettings(), filters) << c.what;
        EXPECT_EQ(db_->CountOf(1), 2) << c.what;
        EXPECT_EQ(ObservingList[1], Row(Ngc(598))) << c.what;
        ASSERT_TRUE(std::vector<std::uint16_t>(ObjectFlags, ObjectFlags + CatalogueRowCount) == flags) << c.what;
    }

    // Every cut of the file is refused, and no read past its end is trusted.
    for (size_t cut = 0; cut < good.size(); cut += 61) {
        boxes_.Clear();
        fw::imstream is(good.substr(0, cut));
        EXPECT_FALSE(db_->Read(is)) << cut;
        EXPECT_EQ(boxes_.Count(), 1) << cut;
    }
    EXPECT_EQ(db_->CountOf(1), 2);
}

// One flipped byte in the closing signature after a whole block: the state is taken (the
// observing list is not lost) and the damage reported once.
TEST_F(CatalogueDatabase, ADamagedClosingSignatureKeepsTheStateReadWhole)
{
    Apply(Chosen());
    db_->AddToObservingList(Ngc(224));
    db_->AddToObservingList(Ngc(598));
    std::string bytes = StateBytes(*db_);
    const FilterSettings filters = db_->GetFilterSettings();
    bytes[bytes.size() - 3] ^= 1;
    db_->ClearObservingList();
    boxes_.Clear();
    fw::imstream is(bytes);
    EXPECT_TRUE(db_->Read(is));
    ASSERT_EQ(boxes_.Count(), 1);
    EXPECT_EQ(boxes_.Last().text, "Error Reading Indexes File");
    EXPECT_TRUE(db_->StateRead());
    EXPECT_TRUE(db_->StateDamaged());
    EXPECT_EQ(db_->GetFilterSettings(), filters);
    EXPECT_EQ(db_->CountOf(1), 2);
    EXPECT_EQ(ObservingList[1], Row(Ngc(598)));
}

// A damaged file at start-up is reported once, and the database starts from the defaults
// with every object listed; a missing one starts the same way without a word.
TEST_F(CatalogueDatabase, DamagedStateFileAtStartUp)
{
    Apply(Chosen());
    Close();
    std::string bytes = testsupport::ReadFileBytes(dir_.file("indexes.rsx"));
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("indexes.rsx"), bytes));
    boxes_.Clear();
    Open();
    EXPECT_EQ(boxes_.Count(), 1);
    EXPECT_FALSE(db_->StateRead());
    EXPECT_EQ(db_->CountOf(0), CatalogueRowCount);
    EXPECT_EQ(db_->GetFilterSettings().raMin, 0);

    // The exit writes a whole file again, which the next start reads.
    Close();
    boxes_.Clear();
    Open();
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_TRUE(db_->StateRead());
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        if (!entry.is_directory()) {
            EXPECT_EQ(entry.path().extension(), ".rsx") << entry.path();  // none left half-written
        }
    }
}

// Any single damaged byte in the blocks before the flag words is either refused with a box
// or taken as a whole state that filters and sorts without harm.
TEST_F(CatalogueDatabase, EveryDamagedHeaderByteIsRefusedOrHarmless)
{
    Apply(Chosen());
    db_->AddToObservingList(Ngc(224));
    const std::string good = StateBytes(*db_);
    const size_t flagsAt = good.rfind(SignedStreamRecord::SortCriteria) +
                           std::string(SignedStreamRecord::SortCriteria).size();
    int refused = 0, taken = 0;
    for (size_t i = 0; i < flagsAt; ++i) {
        for (std::uint8_t x : {std::uint8_t(0xFF), std::uint8_t(0x40)}) {
            std::string bytes = good;
            bytes[i] = char(bytes[i] ^ x);
            boxes_.Clear();
            fw::imstream is(bytes);
            if (db_->Read(is)) {
                ++taken;
                EXPECT_EQ(boxes_.Count(), 0) << i;
                EXPECT_EQ(db_->CountOf(1), 1) << i;
            } else {
                ++refused;
                EXPECT_EQ(boxes_.Count(), 1) << i;
            }
            ASSERT_LE(db_->CountOf(0), CatalogueRowCount) << i;
            ASSERT_LE(db_->CountOf(1), CatalogueRowCount) << i;
            ASSERT_GE(db_->CountOf(2), 0) << i;  // the log's own count, not a catalogue list
            db_->FirstObject();
            db_->ListPositionText();
        }
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(taken, 100);
}
