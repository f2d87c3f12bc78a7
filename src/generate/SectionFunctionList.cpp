#include "generate/SectionFunctionList.h"

#include "generate/SectionFunctions.h"
#include "generate/SectionScan.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"

#include <functional>

namespace generate {
namespace {

using SectionFunction = std::function<Fragment(const rtfengine::TUdfArgs& args)>;

// A handler that hands the fragment, when there is one, to the engine that called.
rtfengine::TUdfOnCalculate handingBack(SectionFunction function) {
    return [function = std::move(function)](rtfengine::TRtfEngine& sender,
                                            const rtfengine::TUdfArgs& args, std::string& result) {
        if (const Fragment fragment = function(args)) {
            sender.insertRtfFragment(result, *fragment);
        }
    };
}

SectionFunction listFunction(store::TDM& dm, ListFunction function, store::SqlDataset& query) {
    return [&dm, function, &query](const rtfengine::TUdfArgs& args) {
        return listEntry(function, dm.Configuration, query, argumentText(args));
    };
}

SectionFunction purposeFunction(store::TDM& dm, store::SqlDataset& query, const char* column) {
    return [&dm, &query, column](const rtfengine::TUdfArgs&) {
        return purposeStatement(dm.Configuration, query, column);
    };
}

} // namespace

std::string argumentText(const rtfengine::TUdfArgs& args) {
    if (args.empty() || args.front().variable() == nullptr) {
        return {};
    }
    return args.front().variable()->asString();
}

void registerSectionFunctions(rtfengine::TUdfList& list, store::TDM& dm) {
    using rtfengine::udfrTMemoryStream;
    using rtfengine::udfrTReportVariable;

    list.add("FormatAddress", 0, 0, udfrTMemoryStream,
             handingBack([&dm](const rtfengine::TUdfArgs&) {
                 return formatAddress(dm.Configuration, dm.ContactInfo);
             }));
    list.add("ContactInfo", 0, 1, udfrTMemoryStream,
             handingBack([&dm](const rtfengine::TUdfArgs& args) {
                 return contactLine(dm.Configuration, dm.ContactInfo, argumentText(args));
             }));
    list.add("Name", 0, 0, udfrTMemoryStream, handingBack([&dm](const rtfengine::TUdfArgs&) {
                 return formatName(dm.Configuration, dm.ContactInfo);
             }));
    list.add("SubHeading", 1, 1, udfrTMemoryStream,
             handingBack([&dm](const rtfengine::TUdfArgs& args) {
                 return subHeading(dm.Configuration, argumentText(args));
             }));
    list.add(
        "EducationalHistory", 0, 1, udfrTMemoryStream,
        handingBack(listFunction(dm, ListFunction::EducationalHistory, dm.EducationalHistory)));
    list.add("Objective", 0, 0, udfrTMemoryStream,
             handingBack(purposeFunction(dm, dm.ObjectiveQuery, "objective")));
    list.add("Summary", 0, 0, udfrTMemoryStream,
             handingBack(purposeFunction(dm, dm.SummaryQuery, "purpose.summary")));
    list.add("Personal", 0, 0, udfrTMemoryStream,
             handingBack(purposeFunction(dm, dm.PersonalQuery, "purpose.personal")));
    list.add("Keywords", 0, 0, udfrTMemoryStream,
             handingBack(purposeFunction(dm, dm.KeywordsQuery, "keyword")));
    list.add("EmploymentHistory", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::EmploymentHistory, dm.EmploymentHistory)));
    list.add("Organizations", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::Organizations, dm.OrganizationsQuery)));
    list.add("Skills", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::Skills, dm.SkillsQuery)));
    list.add(
        "PersonalReference", 0, 1, udfrTMemoryStream,
        handingBack(listFunction(dm, ListFunction::PersonalReference, dm.PersonalReferencesQuery)));
    list.add("ProfessionalReference", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::ProfessionalReference,
                                      dm.ProfessionalReferencesQuery)));
    list.add("Honors", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::Honors, dm.HonorsQuery)));
    list.add("Awards", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::Awards, dm.AwardsQuery)));
    list.add("Achievement", 0, 1, udfrTMemoryStream,
             handingBack(listFunction(dm, ListFunction::Achievement, dm.AchievementQuery)));
    list.add("ResetQuerys", 0, 0, udfrTReportVariable,
             [&dm](rtfengine::TRtfEngine&, const rtfengine::TUdfArgs&, std::string&) {
                 resetObjectiveQuery(dm);
             });
}

} // namespace generate
