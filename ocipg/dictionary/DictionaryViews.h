#pragma once

#include <string>
#include <vector>

namespace ocipg {

// One view of the Oracle data dictionary as this session shows it.
struct DictionaryView {
    std::string strName;   // the view's name as PostgreSQL stores it (lower case)
    std::string strQuery;  // the SELECT that defines it
    bool bDbaOnly;         // created only for sessions that may read DBA_ views
};

// Every dictionary view, built once from the category templates.
const std::vector<DictionaryView>& DictionaryViews();

}  // namespace ocipg
