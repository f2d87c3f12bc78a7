// The data module: the sixteen read-only datasets that résumé generation reads,
// all on the one connection. Each section query yields rows only while its
// ShowItem parameter is 1; the scan handler switches them section by section.
#pragma once

#include "store/SqlDataset.h"

#include <memory>
#include <string_view>
#include <vector>

namespace store {

class TDM {
public:
    // Every dataset compiles its statement from `db` at its first opening.
    explicit TDM(std::shared_ptr<StatementSource> db);
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    SqlDataset EducationalHistory;
    SqlDataset EmploymentHistory;
    SqlDataset Configuration;
    SqlDataset ContactInfo;
    SqlDataset ObjectiveQuery;
    SqlDataset SummaryQuery;
    SqlDataset PersonalQuery;
    SqlDataset KeywordsQuery;
    SqlDataset SkillsQuery;
    SqlDataset OrganizationsQuery;
    SqlDataset AwardsQuery;
    SqlDataset ProfessionalReferencesQuery;
    SqlDataset AchievementQuery;
    SqlDataset PersonalReferencesQuery;
    SqlDataset HonorsQuery;
    SqlDataset DisplayedOrder;

    // The sixteen, in the order above.
    std::vector<SqlDataset*> datasets();
    // The thirteen that carry ShowItem.
    std::vector<SqlDataset*> sectionQueries();
    // A dataset by its name, ignoring letter case; null when there is none.
    SqlDataset* dataset(std::string_view name);

    // Before a generation run: opens all sixteen, DisplayedOrder first. Datasets
    // already open stay as they are.
    void openForGeneration();
    // After a successful run: closes all sixteen, DisplayedOrder last.
    void closeAfterGeneration();
};

} // namespace store
