#include "store/TDM.h"

#include "rtfengine/Ascii.h"

#include <algorithm>

namespace store {

namespace {

// Every result column is aliased so its name is fixed whatever the engine's own
// naming rules; list rows come in key order, the order of entry.
const char* const kEducationalHistory =
    "SELECT EducationalHistory.Institution AS \"Institution\", EducationalHistory.URL AS \"URL\",\n"
    "       EducationalHistory.DateFrom AS \"DateFrom\", EducationalHistory.DateTo AS \"DateTo\",\n"
    "       EducationalHistory.Degree AS \"Degree\", EducationalHistory.YearAwarded AS "
    "\"YearAwarded\",\n"
    "       EducationalHistory.InAllPublished AS \"InAllPublished\",\n"
    "       EducationalHistory.StillAttending AS \"StillAttending\",\n"
    "       EducationalHistory.Comment AS \"Comment\",\n"
    "       Configuration.EducationalHistory AS \"EducationalHistory\"\n"
    "FROM EducationalHistory, Configuration Configuration\n"
    "WHERE :ShowItem = 1 AND EducationalHistory.InAllPublished = 'True'\n"
    "ORDER BY EducationalHistory.ID";

const char* const kEmploymentHistory =
    "SELECT EmploymentHistory.Company AS \"Company\", EmploymentHistory.[Position] AS "
    "\"Position\",\n"
    "       EmploymentHistory.City AS \"City\", EmploymentHistory.Country AS \"Country\",\n"
    "       EmploymentHistory.URL AS \"URL\", EmploymentHistory.DateFrom AS \"DateFrom\",\n"
    "       EmploymentHistory.DateTo AS \"DateTo\",\n"
    "       EmploymentHistory.StillEmployed AS \"StillEmployed\",\n"
    "       EmploymentHistory.InAllPublished AS \"InAllPublished\",\n"
    "       EmploymentHistory.comments AS \"comments\",\n"
    "       Configuration.EmploymentHistory AS \"EmploymentHistory\"\n"
    "FROM EmploymentHistory, Configuration Configuration\n"
    "WHERE :ShowItem = 1 AND EmploymentHistory.InAllPublished = 'True'\n"
    "ORDER BY EmploymentHistory.ID";

const char* const kConfiguration = "SELECT * FROM Configuration ORDER BY rowid";
const char* const kContactInfo = "SELECT * FROM ContactInfo ORDER BY rowid";

const char* const kObjective = "SELECT purpose.objective AS \"objective\"\n"
                               "FROM purpose purpose\n"
                               "WHERE :ShowItem = 1\n"
                               "ORDER BY purpose.rowid";

// Purpose and Configuration share the column names Summary and Personal, so
// both keep their qualifier.
const char* const kSummary = "SELECT purpose.summary AS \"purpose.summary\", Configuration.Summary "
                             "AS \"Configuration.Summary\"\n"
                             "FROM purpose, Configuration Configuration\n"
                             "WHERE :ShowItem = 1\n"
                             "ORDER BY purpose.rowid";

const char* const kPersonal = "SELECT purpose.personal AS \"purpose.personal\",\n"
                              "       Configuration.Personal AS \"Configuration.Personal\"\n"
                              "FROM purpose, Configuration Configuration\n"
                              "WHERE :ShowItem = 1\n"
                              "ORDER BY purpose.rowid";

const char* const kKeywords =
    "SELECT purpose.keyword AS \"keyword\", Configuration.Keywords AS \"Keywords\"\n"
    "FROM purpose, Configuration\n"
    "WHERE :ShowItem = 1\n"
    "ORDER BY purpose.rowid";

const char* const kSkills =
    "SELECT skills.skill AS \"skill\", skills.comments AS \"comments\",\n"
    "       skills.InAllPublished AS \"InAllPublished\", Configuration.Skills AS \"Skills\"\n"
    "FROM skills, Configuration Configuration\n"
    "WHERE :ShowItem = 1 AND skills.InAllPublished = 'True'\n"
    "ORDER BY skills.ID";

const char* const kOrganizations =
    "SELECT organizations.Name AS \"Name\", organizations.DateFrom AS \"DateFrom\",\n"
    "       organizations.DateTo AS \"DateTo\", organizations.Comments AS \"Comments\",\n"
    "       organizations.InAllPublished AS \"InAllPublished\",\n"
    "       Configuration.Organizations AS \"Organizations\"\n"
    "FROM organizations, Configuration Configuration\n"
    "WHERE :ShowItem = 1 AND organizations.InAllPublished = 'True'\n"
    "ORDER BY organizations.ID";

// The three Honors queries differ in the entry type and the heading column. The
// editor writes "Honor" while the query asks for "honor": Type ignores case.
std::string honorsQuery(const std::string& type, const std::string& headingColumn) {
    return "SELECT honors.Type AS \"Type\", honors.Title AS \"Title\", "
           "honors.[Date] AS \"Date\",\n"
           "       honors.Comments AS \"Comments\", honors.InAllPubliched AS "
           "\"InAllPubliched\",\n"
           "       Configuration." +
           headingColumn + " AS \"" + headingColumn +
           "\"\n"
           "FROM honors, Configuration Configuration\n"
           "WHERE :ShowItem = 1 AND honors.Type = '" +
           type +
           "' COLLATE NOCASE\n"
           "  AND honors.InAllPubliched = 'True'\n"
           "ORDER BY honors.ID";
}

std::string referencesQuery(const std::string& type, const std::string& headingColumn) {
    return "SELECT Refer.Type AS \"Type\", Refer.Name AS \"Name\", Refer.Title AS \"Title\",\n"
           "       Refer.Organization AS \"Organization\", Refer.AddressLine1 AS "
           "\"AddressLine1\",\n"
           "       Refer.AddressLine2 AS \"AddressLine2\", Refer.City AS \"City\",\n"
           "       Refer.Phone AS \"Phone\", Refer.Email AS \"Email\",\n"
           "       Refer.InAllPublished AS \"InAllPublished\", Configuration." +
           headingColumn + " AS \"" + headingColumn +
           "\"\n"
           "FROM refer Refer, Configuration Configuration\n"
           "WHERE :ShowItem = 1 AND Refer.Type = '" +
           type +
           "' COLLATE NOCASE\n"
           "  AND Refer.InAllPublished = 'True'\n"
           "ORDER BY Refer.ID";
}

const char* const kDisplayedOrder = "SELECT * FROM DisplayedOrder ORDER BY rowid";

} // namespace

TDM::TDM(std::shared_ptr<StatementSource> db)
    : EducationalHistory(db, kEducationalHistory, "EducationalHistory"),
      EmploymentHistory(db, kEmploymentHistory, "EmploymentHistory"),
      Configuration(db, kConfiguration, "Configuration"),
      ContactInfo(db, kContactInfo, "ContactInfo"),
      ObjectiveQuery(db, kObjective, "ObjectiveQuery"), SummaryQuery(db, kSummary, "SummaryQuery"),
      PersonalQuery(db, kPersonal, "PersonalQuery"), KeywordsQuery(db, kKeywords, "KeywordsQuery"),
      SkillsQuery(db, kSkills, "SkillsQuery"),
      OrganizationsQuery(db, kOrganizations, "OrganizationsQuery"),
      AwardsQuery(db, honorsQuery("Award", "Awards"), "AwardsQuery"),
      ProfessionalReferencesQuery(db, referencesQuery("professional", "ProfessionalReferences"),
                                  "ProfessionalReferencesQuery"),
      AchievementQuery(db, honorsQuery("Achievement", "Archievements"), "AchievementQuery"),
      PersonalReferencesQuery(db, referencesQuery("personal", "PersonalReferences"),
                              "PersonalReferencesQuery"),
      HonorsQuery(db, honorsQuery("honor", "Honors"), "HonorsQuery"),
      DisplayedOrder(db, kDisplayedOrder, "DisplayedOrder") {
    for (SqlDataset* query : sectionQueries())
        query->setParameter("ShowItem", 0);
}

std::vector<SqlDataset*> TDM::datasets() {
    return {&EducationalHistory, &EmploymentHistory,
            &Configuration,      &ContactInfo,
            &ObjectiveQuery,     &SummaryQuery,
            &PersonalQuery,      &KeywordsQuery,
            &SkillsQuery,        &OrganizationsQuery,
            &AwardsQuery,        &ProfessionalReferencesQuery,
            &AchievementQuery,   &PersonalReferencesQuery,
            &HonorsQuery,        &DisplayedOrder};
}

std::vector<SqlDataset*> TDM::sectionQueries() {
    std::vector<SqlDataset*> queries;
    for (SqlDataset* d : datasets())
        if (d->hasParameter("ShowItem"))
            queries.push_back(d);
    return queries;
}

SqlDataset* TDM::dataset(std::string_view name) {
    for (SqlDataset* d : datasets())
        if (rtfengine::equalsIgnoringAsciiCase(d->name(), name))
            return d;
    return nullptr;
}

void TDM::openForGeneration() {
    for (SqlDataset* d :
         {&DisplayedOrder, &ContactInfo, &EducationalHistory, &Configuration, &EmploymentHistory,
          &ObjectiveQuery, &SummaryQuery, &PersonalQuery, &KeywordsQuery, &OrganizationsQuery,
          &SkillsQuery, &PersonalReferencesQuery, &ProfessionalReferencesQuery, &HonorsQuery,
          &AwardsQuery, &AchievementQuery})
        d->open();
}

void TDM::closeAfterGeneration() {
    for (SqlDataset* d :
         {&ContactInfo, &EducationalHistory, &Configuration, &EmploymentHistory, &ObjectiveQuery,
          &SummaryQuery, &PersonalQuery, &KeywordsQuery, &OrganizationsQuery, &SkillsQuery,
          &PersonalReferencesQuery, &ProfessionalReferencesQuery, &HonorsQuery, &AwardsQuery,
          &AchievementQuery, &DisplayedOrder})
        d->close();
}

} // namespace store
