#include "generate/SectionScan.h"

#include "generate/FieldAccess.h"

#include <array>
#include <string_view>

namespace generate {
namespace {

using Query = store::SqlDataset store::TDM::*;

struct SectionEntry {
    std::string_view identifier;
    Query query;
};

// Section identifiers with the query each switches, in the order they are compared.
constexpr std::array<SectionEntry, 13> kSectionMap = {{
    {"Objective", &store::TDM::ObjectiveQuery},
    {"Personal", &store::TDM::PersonalQuery},
    {"Summary", &store::TDM::SummaryQuery},
    {"Keywords", &store::TDM::KeywordsQuery},
    {"Educational History", &store::TDM::EducationalHistory},
    {"Employment History", &store::TDM::EmploymentHistory},
    {"Professional References", &store::TDM::ProfessionalReferencesQuery},
    {"Personal References", &store::TDM::PersonalReferencesQuery},
    {"Organizations", &store::TDM::OrganizationsQuery},
    {"Skills", &store::TDM::SkillsQuery},
    {"Honors", &store::TDM::HonorsQuery},
    {"Awards", &store::TDM::AwardsQuery},
    {"Achievements", &store::TDM::AchievementQuery},
}};

constexpr std::array<Query, 13> kCloseOrder = {
    &store::TDM::ObjectiveQuery,
    &store::TDM::SummaryQuery,
    &store::TDM::PersonalQuery,
    &store::TDM::KeywordsQuery,
    &store::TDM::EducationalHistory,
    &store::TDM::EmploymentHistory,
    &store::TDM::ProfessionalReferencesQuery,
    &store::TDM::PersonalReferencesQuery,
    &store::TDM::OrganizationsQuery,
    &store::TDM::SkillsQuery,
    &store::TDM::HonorsQuery,
    &store::TDM::AwardsQuery,
    &store::TDM::AchievementQuery,
};

constexpr std::array<Query, 13> kOpenOrder = {
    &store::TDM::SummaryQuery,
    &store::TDM::ObjectiveQuery,
    &store::TDM::PersonalQuery,
    &store::TDM::KeywordsQuery,
    &store::TDM::EducationalHistory,
    &store::TDM::EmploymentHistory,
    &store::TDM::ProfessionalReferencesQuery,
    &store::TDM::PersonalReferencesQuery,
    &store::TDM::OrganizationsQuery,
    &store::TDM::SkillsQuery,
    &store::TDM::HonorsQuery,
    &store::TDM::AwardsQuery,
    &store::TDM::AchievementQuery,
};

} // namespace

void resetSectionQueries(store::TDM& dm) {
    for (Query query : kCloseOrder) {
        (dm.*query).close();
    }
    for (const SectionEntry& entry : kSectionMap) {
        const std::string section = fieldText(dm.DisplayedOrder, "Section");
        (dm.*entry.query).setParameter("ShowItem", section == entry.identifier ? 1 : 0);
    }
    for (Query query : kOpenOrder) {
        (dm.*query).open();
    }
}

void ExportScanRecord(store::TDM& dm, const rtfengine::Dataset* scanned) {
    if (scanned == &dm.DisplayedOrder) {
        resetSectionQueries(dm);
    }
}

void resetObjectiveQuery(store::TDM& dm) {
    dm.ObjectiveQuery.close();
    dm.ObjectiveQuery.open();
}

} // namespace generate
