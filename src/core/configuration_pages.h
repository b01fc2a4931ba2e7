#pragma once

namespace chronolien {

// What start-up asks of the configuration dialog.
class ConfigurationPages {
public:
    virtual ~ConfigurationPages() = default;
    // Brings the "FORFAIT" page, and so the plan entries of the tree, in line with forfait.
    virtual void LoadForfaitPage() = 0;
};

} // namespace chronolien
